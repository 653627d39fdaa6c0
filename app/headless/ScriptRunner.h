#pragma once

#include <iosfwd>

// Drives the real main window on the headless host from a script, one command per line
// ("#" starts a comment; coordinates are client coordinates of the board):
//   move X Y | drop PATH [PATH ...] | click X Y | dblclick X Y | rclick X Y | key KEY
//   choose NAME | save-answer PATH|cancel | box-answer yes|no|ok | mail-result N
//   wait MS | snapshot PATH | quit
// A path holding blanks is written in double quotes. Prints one line per thing the user
// would see or the desktop would receive, in order:
//   box CAPTION | TEXT | BUTTONS -> ANSWER
//   save-dialog -> PATH|cancel
//   mail SUBJECT | ATTACHMENT-NAME | BYTES -> RESULT
//   url ADDRESS
//   beep
// (line breaks inside a text written as \n). A script error stops with a message naming the
// line on Err and the result 2; otherwise the result is 0.
int RunScript(std::istream& Script, std::ostream& Out, std::ostream& Err);
