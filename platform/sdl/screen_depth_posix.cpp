#include "screen_depth.h"

#include <SDL_syswm.h>

// SDL knows no pixel format for such screens; X says their depth.
int NativeScreenDepth(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        return 0;
    }
    Display* display = info.info.x11.display;
    return DefaultDepth(display, DefaultScreen(display));
}
