// How display start-up reports its failure: the one call from display/ up into the
// application.
//
// Dependencies otherwise point down (app -> game -> display -> the Windows API). Start-up is
// the exception the program's design asks for: InitDisplay reports its first failing step
// through FailInit, which releases the display, tells the player and closes the window. What
// to show and how to end is the application's business, so the function is declared here, in
// the layer that calls it, and defined by the application (app/main_window.cpp). A program
// that links display/ without app/ supplies its own.
#pragma once

#include <windows.h>

// Releases the display, shows the formatted text in a message box captioned with the
// program's name, destroys the window and returns `code` unchanged.
HRESULT FailInit(HWND window, HRESULT code, const char* format, ...);
