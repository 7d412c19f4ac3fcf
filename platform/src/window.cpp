// Window classes, the program's window, and the message calls of USER.
//
// The game makes one window; a handful of slots keeps the bookkeeping fixed-size. A window
// handle is its slot number plus one, so a stale or foreign handle is recognised and ignored.
#include <cstring>

#include <windows.h>

#include "backend.h"
#include "display_control.h"
#include "keyboard.h"
#include "message_queue.h"
#include "window_events.h"

namespace {

constexpr int kMaxClasses = 4;
constexpr int kMaxWindows = 4;
constexpr size_t kMaxClassName = 64;

struct WindowClass {
    bool registered;
    char name[kMaxClassName];
    WNDPROC procedure;
    HCURSOR cursor;
};

struct Window {
    bool alive;
    WNDPROC procedure;
    HCURSOR classCursor;
    bool activated;
    bool minimised;
};

WindowClass gClasses[kMaxClasses];
Window gWindows[kMaxWindows];

// Stock objects: distinct non-null handles that nothing dereferences.
char gStockIcon, gStockCursor, gStockBrush;

HWND HandleOf(int slot) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(slot + 1));
}

Window* WindowFromHandle(HWND handle) {
    uintptr_t slot = reinterpret_cast<uintptr_t>(handle) - 1;
    if (slot >= kMaxWindows || !gWindows[slot].alive) {
        return nullptr;
    }
    return &gWindows[slot];
}

WindowClass* FindClass(LPCSTR name) {
    if (name == nullptr) {
        return nullptr;
    }
    for (WindowClass& windowClass : gClasses) {
        if (windowClass.registered && strcmp(windowClass.name, name) == 0) {
            return &windowClass;
        }
    }
    return nullptr;
}

LRESULT Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = WindowFromHandle(handle);
    if (window == nullptr) {
        return 0;
    }
    return window->procedure(handle, message, wParam, lParam);
}

// The program's window: the first live one. Backend events are about it.
HWND MainWindow() {
    for (int slot = 0; slot < kMaxWindows; ++slot) {
        if (gWindows[slot].alive) {
            return HandleOf(slot);
        }
    }
    return nullptr;
}

WPARAM ActivationParameter(bool active, bool minimised) {
    return static_cast<WPARAM>((active ? WA_ACTIVE : WA_INACTIVE) | (minimised ? 0x10000 : 0));
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG posted{};
    posted.hwnd = window;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    posted.time = BackendMilliseconds();
    if (message == WM_CLOSE) {
        QueueRequestClose(window, posted.time);
    } else {
        QueuePost(posted);
    }
}

}  // namespace

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
        windowClass->lpszClassName == nullptr ||
        strlen(windowClass->lpszClassName) >= kMaxClassName ||
        FindClass(windowClass->lpszClassName) != nullptr) {
        return 0;
    }
    for (int slot = 0; slot < kMaxClasses; ++slot) {
        WindowClass& entry = gClasses[slot];
        if (!entry.registered) {
            entry.registered = true;
            strcpy(entry.name, windowClass->lpszClassName);
            entry.procedure = windowClass->lpfnWndProc;
            entry.cursor = windowClass->hCursor;
            return static_cast<ATOM>(slot + 1);
        }
    }
    return 0;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD, int, int, int width,
                     int height, HWND, HMENU, HINSTANCE, LPVOID) {
    WindowClass* windowClass = FindClass(className);
    if (windowClass == nullptr) {
        return nullptr;
    }
    for (int slot = 0; slot < kMaxWindows; ++slot) {
        if (gWindows[slot].alive) {
            continue;
        }
        if (!BackendOpenWindow(windowName != nullptr ? windowName : "", width, height)) {
            return nullptr;
        }
        gWindows[slot] = Window{true, windowClass->procedure, windowClass->cursor, false, false};
        return HandleOf(slot);
    }
    return nullptr;
}

// Showing the window activates it, which the window procedure hears as WM_ACTIVATE.
BOOL ShowWindow(HWND handle, int showCommand) {
    Window* window = WindowFromHandle(handle);
    if (window == nullptr || showCommand == SW_HIDE) {
        return FALSE;
    }
    BOOL wasVisible = window->activated;
    bool minimised = showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE ||
                     showCommand == SW_SHOWMINNOACTIVE;
    if (!window->activated || window->minimised != minimised) {
        window->activated = true;
        window->minimised = minimised;
        Send(handle, WM_ACTIVATE, ActivationParameter(true, minimised), 0);
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND handle) {
    return WindowFromHandle(handle) != nullptr;
}

HWND SetFocus(HWND handle) {
    return WindowFromHandle(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND handle) {
    Window* window = WindowFromHandle(handle);
    if (window == nullptr) {
        return FALSE;
    }
    Send(handle, WM_DESTROY, 0, 0);
    window->alive = false;
    BackendCloseWindow();
    return TRUE;
}

LRESULT DefWindowProcA(HWND handle, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(handle);
            return 0;
        case WM_SETCURSOR:
            if (Window* window = WindowFromHandle(handle)) {
                SetCursor(window->classCursor);
            }
            return 0;
        default:
            return 0;
    }
}

HICON LoadIconA(HINSTANCE, LPCSTR) {
    return reinterpret_cast<HICON>(&gStockIcon);
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR) {
    return reinterpret_cast<HCURSOR>(&gStockCursor);
}

HGDIOBJ GetStockObject(int) {
    return &gStockBrush;
}

HCURSOR SetCursor(HCURSOR cursor) {
    static HCURSOR current = reinterpret_cast<HCURSOR>(&gStockCursor);
    HCURSOR previous = current;
    current = cursor;
    BackendShowCursor(cursor != nullptr);
    return previous;
}

// Messages

BOOL PeekMessageA(LPMSG message, HWND, UINT, UINT, UINT removeFlags) {
    // A minimised window runs no frames; waiting here for an event keeps that from spinning.
    BackendPumpEvents(QueueIsEmpty() && PlatformIsWindowMinimised() ? kBackendWaitForEvent : 0);
    MSG next;
    if (!QueueNext(&next, (removeFlags & PM_REMOVE) != 0)) {
        return FALSE;
    }
    *message = next;
    return TRUE;
}

BOOL GetMessageA(LPMSG message, HWND, UINT, UINT) {
    for (;;) {
        if (QueueNext(message, true)) {
            return message->message == WM_QUIT ? 0 : 1;
        }
        if (MainWindow() == nullptr) {
            return -1;  // nothing could ever arrive
        }
        BackendPumpEvents(kBackendWaitForEvent);
    }
}

BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* message) {
    if (message == nullptr) {
        return 0;
    }
    return Send(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr && WindowFromHandle(window) == nullptr) {
        return FALSE;
    }
    Post(window, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    QueueRequestQuit(exitCode);
}

// What backends report

namespace {
// As Windows does when another window takes the focus or gives it back; the high word keeps
// saying whether the window is minimised.
void SendFocusChange(bool focused) {
    HWND handle = MainWindow();
    if (Window* window = WindowFromHandle(handle)) {
        Send(handle, WM_ACTIVATE, ActivationParameter(focused, window->minimised), 0);
    }
}
}  // namespace

void PlatformKeyEvent(int virtualKey, bool down) {
    PlatformSetKey(virtualKey, down);
    if (HWND window = MainWindow()) {
        Post(window, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey), 0);
    }
}

void PlatformCloseRequested() {
    if (HWND window = MainWindow()) {
        Post(window, WM_CLOSE, 0, 0);
    }
}

void PlatformWindowMinimised(bool minimised) {
    HWND handle = MainWindow();
    Window* window = WindowFromHandle(handle);
    if (window == nullptr || window->minimised == minimised) {
        return;
    }
    window->minimised = minimised;
    // As in exclusive mode on Windows: minimising takes the display's memory, and the
    // surfaces stay lost after the restore until the game restores them itself.
    if (minimised) {
        PlatformReleaseAllKeys();
        PlatformLoseAllSurfaces();
    }
    PlatformSetDisplayRestorable(!minimised);
    Send(handle, WM_ACTIVATE, ActivationParameter(!minimised, minimised), 0);
}

bool PlatformCanTakeEvent() {
    return QueueHasRoom(1);
}

void PlatformFocusLost() {
    PlatformReleaseAllKeys();
    SendFocusChange(false);
}

void PlatformFocusGained() {
    SendFocusChange(true);
}

void PlatformMouseMoved() {
    if (HWND window = MainWindow()) {
        Send(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), 0);
    }
}

bool PlatformIsWindowMinimised() {
    Window* window = WindowFromHandle(MainWindow());
    return window != nullptr && window->minimised;
}

void PlatformResetWindowing() {
    for (WindowClass& windowClass : gClasses) {
        windowClass = WindowClass{};
    }
    for (Window& window : gWindows) {
        window = Window{};
    }
    QueueClear();
}
