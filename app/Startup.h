#pragma once

// The program's start-up on the current host: the application titled "ピコラム", the main
// window, the loop until the window closes. A failure on the way is shown in the error box
// and ends the program. Returns the exit code, 0.
int RunPicolam();
