# Compiles text resources (form descriptions, text images) into the program: each file
# becomes a .cpp that defines `extern const char <symbol>[]`, regenerated when it changes.
set(PICOLAM_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake)

function(picolam_embed target symbol file)
    get_filename_component(abs ${file} ABSOLUTE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -DIN=${abs} -DOUT=${out} -DSYMBOL=${symbol} -P ${PICOLAM_EMBED_SCRIPT}
        DEPENDS ${abs} ${PICOLAM_EMBED_SCRIPT}
        COMMENT "Embedding ${file}")
    target_sources(${target} PRIVATE ${out})
endfunction()
