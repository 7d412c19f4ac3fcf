// Running the whole program on the headless backend, as its platform's main would.
#pragma once

#include <windows.h>

// Puts the program back as it was before its first run: no display, a fresh headless
// platform (clock, keys, window, records, faults), not active, the title set-up next, and an
// empty frame counter.
void ResetProgram();

// Runs WinMain with an empty command line and returns its exit code.
int RunWinMain();
