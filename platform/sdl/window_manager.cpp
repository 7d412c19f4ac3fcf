#include "window_manager.h"

#include <SDL_syswm.h>
#include <dlfcn.h>

namespace {

// The X library calls this needs, from the copy SDL has loaded (the program does not link it).
struct XCalls {
    decltype(&XInternAtom) internAtom = nullptr;
    decltype(&XGetWindowProperty) getWindowProperty = nullptr;
    decltype(&XFree) free = nullptr;
};

bool LoadXCalls(XCalls* calls) {
    void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr) {
        return false;
    }
    calls->internAtom = reinterpret_cast<decltype(&XInternAtom)>(dlsym(library, "XInternAtom"));
    calls->getWindowProperty =
        reinterpret_cast<decltype(&XGetWindowProperty)>(dlsym(library, "XGetWindowProperty"));
    calls->free = reinterpret_cast<decltype(&XFree)>(dlsym(library, "XFree"));
    dlclose(library);  // SDL keeps it loaded
    return calls->internAtom != nullptr && calls->getWindowProperty != nullptr &&
           calls->free != nullptr;
}

// A window manager that follows the desktop conventions names its check window on the root.
bool RootNamesWindowManager(const XCalls& x, Display* display) {
    const Atom check = x.internAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) {
        return false;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = x.getWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                           XA_WINDOW, &type, &format, &count, &remaining, &data);
    const bool named = status == Success && type == XA_WINDOW && count == 1 && data != nullptr &&
                       *reinterpret_cast<Window*>(data) != None;
    if (data != nullptr) {
        x.free(data);
    }
    return named;
}

}  // namespace

bool WindowManagerRuns(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        return true;  // Wayland and the rest: the compositor is the window manager
    }
    XCalls calls;
    return !LoadXCalls(&calls) || RootNamesWindowManager(calls, info.info.x11.display);
}

void CoverDisplayWithoutWindowManager(SDL_Window* window, bool cover, int windowedWidth,
                                      int windowedHeight) {
    SDL_Rect bounds;
    if (cover && SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds) == 0) {
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowPosition(window, bounds.x, bounds.y);
        SDL_SetWindowSize(window, bounds.w, bounds.h);
        return;
    }
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowSize(window, windowedWidth, windowedHeight);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}
