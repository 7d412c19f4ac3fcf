// The end of the program when its display goes away while it runs (the X server or the Wayland
// compositor ends).
//
// Nothing can be drawn or released through a dead connection, so the program says so in one
// line and ends at once with exit code 1, before the display library's own message and exit.
#pragma once

#include <SDL.h>

// Called once SDL's video runs; does nothing for a display other than X.
void WatchForDisplayLoss();

// On Wayland SDL turns a failed connection into a quit request: called with each, this ends
// the program the same way when the compositor has gone.
void EndIfCompositorLost(SDL_Window* window);
