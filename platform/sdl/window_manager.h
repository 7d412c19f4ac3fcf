// Full screen where no window manager runs (a bare X server, a kiosk session).
//
// SDL's desktop full-screen is a request to the window manager; with none, SDL waits in vain
// for the answer on every switch (a frozen picture for a tenth of a second or more each time)
// and nobody makes the window cover the display. There the window covers the display itself.
#pragma once

#include <SDL.h>
#include <SDL_syswm.h>

// True unless the window is on an X display without a window manager: one whose check window
// (_NET_SUPPORTING_WM_CHECK) is gone, as after a crash, counts as none.
bool WindowManagerRuns(SDL_Window* window);

// Whether the window manager shows the window full screen. SDL's own flag only records SDL's
// requests; on X the window manager's record (_NET_WM_STATE) also knows of its own changes
// (a title-bar menu, a key binding, wmctrl). Elsewhere SDL's flag is the answer.
bool WindowManagerShowsFullscreen(SDL_Window* window);

// True for a raw window-system event that changed a window's state (on X, a new _NET_WM_STATE).
bool IsWindowStateChange(const SDL_SysWMmsg& message);

// Without a window manager: covers the window's display with the window (borderless), or
// gives it back its windowed size in the middle of the display.
void CoverDisplayWithoutWindowManager(SDL_Window* window, bool cover, int windowedWidth,
                                      int windowedHeight);
