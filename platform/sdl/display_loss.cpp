#include "display_loss.h"

#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

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

}  // namespace

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
