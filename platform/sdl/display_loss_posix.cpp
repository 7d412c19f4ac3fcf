#include "display_loss.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

struct XDisplay;
using IoErrorHandler = int (*)(XDisplay*);
using SetIoErrorHandler = IoErrorHandler (*)(IoErrorHandler);

// Async-signal-safe on purpose: the connection may have died anywhere inside the library.
int EndWithLostDisplay(XDisplay*) {
    static const char kLine[] =
        "zephyx: the display went away (the X server ended); the game ends\n";
    ssize_t written = write(STDERR_FILENO, kLine, sizeof kLine - 1);
    (void)written;
    _exit(1);
}

using GetDisplayError = int (*)(wl_display*);

// SDL has loaded the Wayland library itself; ask the one it uses.
bool WaylandConnectionFailed(wl_display* display) {
    void* library = dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr) {
        return false;
    }
    auto getError = reinterpret_cast<GetDisplayError>(dlsym(library, "wl_display_get_error"));
    const bool failed = getError != nullptr && getError(display) != 0;
    dlclose(library);
    return failed;
}

}  // namespace

void EndIfCompositorLost(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_WAYLAND || !WaylandConnectionFailed(info.info.wl.display)) {
        return;
    }
    fputs("zephyx: the display went away (the Wayland compositor ended); the game ends\n", stderr);
    _exit(1);
}

void WatchForDisplayLoss() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || strcmp(driver, "x11") != 0) {
        return;
    }
    // SDL has loaded the X library itself; take the one it uses, never a second copy.
    void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr) {
        return;
    }
    auto setHandler = reinterpret_cast<SetIoErrorHandler>(dlsym(library, "XSetIOErrorHandler"));
    if (setHandler != nullptr) {
        setHandler(EndWithLostDisplay);
    }
    dlclose(library);
}
