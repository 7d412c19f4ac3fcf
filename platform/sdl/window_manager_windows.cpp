#include "window_manager.h"

// Windows always manages its windows: SDL's own full-screen is the answer everywhere.
bool WindowManagerRuns(SDL_Window*) {
    return true;
}

bool WindowManagerShowsFullscreen(SDL_Window* window) {
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
}

bool IsWindowStateChange(const SDL_SysWMmsg&) {
    return false;
}

void CoverDisplayWithoutWindowManager(SDL_Window*, bool, int, int) {}
