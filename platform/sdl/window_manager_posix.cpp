#include "window_manager.h"

#include <SDL_syswm.h>
#include <dlfcn.h>

namespace {

// The X library calls this needs, from the copy SDL has loaded (the program does not link it).
struct XCalls {
    decltype(&XInternAtom) internAtom = nullptr;
    decltype(&XGetWindowProperty) getWindowProperty = nullptr;
    decltype(&XFree) free = nullptr;
    decltype(&XSync) sync = nullptr;
    decltype(&XSetErrorHandler) setErrorHandler = nullptr;
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
    calls->sync = reinterpret_cast<decltype(&XSync)>(dlsym(library, "XSync"));
    calls->setErrorHandler =
        reinterpret_cast<decltype(&XSetErrorHandler)>(dlsym(library, "XSetErrorHandler"));
    dlclose(library);  // SDL keeps it loaded
    return calls->internAtom != nullptr && calls->getWindowProperty != nullptr &&
           calls->free != nullptr && calls->sync != nullptr && calls->setErrorHandler != nullptr;
}

// The window that `window`'s _NET_SUPPORTING_WM_CHECK property names; None when it names none.
Window CheckWindowNamedBy(const XCalls& x, Display* display, Window window, Atom check) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = x.getWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type,
                                           &format, &count, &remaining, &data);
    const Window named = status == Success && type == XA_WINDOW && count == 1 && data != nullptr
                             ? *reinterpret_cast<Window*>(data)
                             : None;
    if (data != nullptr) {
        x.free(data);
    }
    return named;
}

int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// A window manager that follows the desktop conventions names its check window on the root,
// and the check window names itself. One that crashed leaves the root naming a window that is
// gone, or by now someone else's: asking about it must not end the program (Xlib's default for
// an X error), so errors are ignored meanwhile.
bool RootNamesWindowManager(const XCalls& x, Display* display) {
    const Atom check = x.internAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) {
        return false;
    }
    const Window named = CheckWindowNamedBy(x, display, DefaultRootWindow(display), check);
    if (named == None) {
        return false;
    }
    x.sync(display, False);  // earlier requests' errors go to the handler they expect
    const auto previous = x.setErrorHandler(IgnoreXError);
    const Window itself = CheckWindowNamedBy(x, display, named, check);
    x.sync(display, False);
    x.setErrorHandler(previous);
    return itself == named;
}

bool StateListsFullscreen(const XCalls& x, Display* display, Window window) {
    const Atom state = x.internAtom(display, "_NET_WM_STATE", True);
    const Atom fullscreen = x.internAtom(display, "_NET_WM_STATE_FULLSCREEN", True);
    if (state == None || fullscreen == None) {
        return false;  // nobody on this display has ever spoken of full screen
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const long kMostStates = 64;  // the conventions define a dozen
    const int status = x.getWindowProperty(display, window, state, 0, kMostStates, False, XA_ATOM,
                                           &type, &format, &count, &remaining, &data);
    bool listed = false;
    if (status == Success && type == XA_ATOM && format == 32 && data != nullptr) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);  // Xlib widens 32-bit items
        for (unsigned long i = 0; i < count && !listed; ++i) {
            listed = atoms[i] == fullscreen;
        }
    }
    if (data != nullptr) {
        x.free(data);
    }
    return listed;
}

bool X11Info(SDL_Window* window, SDL_SysWMinfo* info) {
    SDL_VERSION(&info->version);
    return SDL_GetWindowWMInfo(window, info) && info->subsystem == SDL_SYSWM_X11;
}

}  // namespace

bool WindowManagerRuns(SDL_Window* window) {
    SDL_SysWMinfo info;
    if (!X11Info(window, &info)) {
        return true;  // Wayland and the rest: the compositor is the window manager
    }
    XCalls calls;
    return !LoadXCalls(&calls) || RootNamesWindowManager(calls, info.info.x11.display);
}

bool WindowManagerShowsFullscreen(SDL_Window* window) {
    SDL_SysWMinfo info;
    XCalls calls;
    if (!X11Info(window, &info) || !LoadXCalls(&calls)) {
        return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
    }
    return StateListsFullscreen(calls, info.info.x11.display, info.info.x11.window);
}

bool IsWindowStateChange(const SDL_SysWMmsg& message) {
    if (message.subsystem != SDL_SYSWM_X11 || message.msg.x11.event.type != PropertyNotify) {
        return false;
    }
    const XPropertyEvent& change = message.msg.x11.event.xproperty;
    XCalls calls;
    return LoadXCalls(&calls) &&
           change.atom == calls.internAtom(change.display, "_NET_WM_STATE", True);
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
