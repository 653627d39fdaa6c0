file(READ ${IN} content HEX)
string(LENGTH "${content}" length)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${content}")
file(WRITE ${OUT} "extern const char ${SYMBOL}[];\nconst char ${SYMBOL}[] = {${bytes} 0};\n")
