// Screens whose colour depth SDL cannot draw to on the CPU (8-bit palettes, 30-bit deep colour,
// which OpenGL may still show).
//
// Called when no renderer could be made for the window: names the depth and the fix in one line
// on standard error and, since a player who started the game from a menu never sees that, in
// a message box where one can be shown.
#pragma once

#include <SDL.h>

// The depth of the window's screen when SDL cannot render to it, otherwise 0.
int UnsupportedScreenDepth(SDL_Window* window);

// Says so, once the window is gone; returns when the box is dismissed.
void ReportUnsupportedScreenDepth(int depth);

// The depth the window system gives for the window's screen when SDL knows no pixel format
// for it, or 0 (one file per system: screen_depth_posix.cpp asks X, screen_depth_windows.cpp).
int NativeScreenDepth(SDL_Window* window);
