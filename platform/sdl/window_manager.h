// Full screen where no window manager runs (a bare X server, a kiosk session).
//
// SDL's desktop full-screen is a request to the window manager; with none, SDL waits in vain
// for the answer on every switch (a frozen picture for a tenth of a second or more each time)
// and nobody makes the window cover the display. There the window covers the display itself.
#pragma once

#include <SDL.h>

// True unless the window is on an X display without a window manager.
bool WindowManagerRuns(SDL_Window* window);

// Without a window manager: covers the window's display with the window (borderless), or
// gives it back its windowed size in the middle of the display.
void CoverDisplayWithoutWindowManager(SDL_Window* window, bool cover, int windowedWidth,
                                      int windowedHeight);
