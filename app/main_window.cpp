#include "app/main_window.h"

#include <cstdarg>
#include <cstdio>

#include "app/frame.h"
#include "display/display.h"

int gActive;

namespace {

const char kProgramName[] = "ZEPHYX";

// Waiting messages always come first: a frame runs only when the queue is empty.
int RunMessageLoop(HWND window) {
    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (GetMessageA(&message, nullptr, 0, 0) == 0) {
                return static_cast<int>(message.wParam);
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (gActive) {
            RunFrame(window);
            Sleep(1);
        }
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    HWND window = CreateMainWindow(instance, showCommand);
    if (window == nullptr) {
        return 0;
    }
    if (InitDisplay(window) != DD_OK) {
        return 0;
    }
    gNow = GetTickCount();
    gFpsTime = gNow;
    return RunMessageLoop(window);
}

HWND CreateMainWindow(HINSTANCE instance, int showCommand) {
    WNDCLASSA windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = kProgramName;
    windowClass.lpszClassName = kProgramName;
    if (RegisterClassA(&windowClass) == 0) {
        return nullptr;
    }

    HWND window = CreateWindowExA(WS_EX_TOPMOST, kProgramName, kProgramName, WS_OVERLAPPEDWINDOW, 0,
                                  0, 640, 480, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    SetFocus(window);
    return window;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            ReleaseDisplay();
            PostQuitMessage(0);
            return 0;
        case WM_ACTIVATE:
            // The high word is the minimised state; active or not does not matter.
            gActive = HIWORD(wParam) == 0 ? 1 : 0;
            return 0;
        case WM_SETCURSOR:
            SetCursor(nullptr);
            return 1;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE || wParam == VK_F12) {
                PostMessageA(window, WM_CLOSE, 0, 0);
            }
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HRESULT FailInit(HWND window, HRESULT code, const char* format, ...) {
    char buffer[128];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);

    ReleaseDisplay();
    MessageBoxA(window, buffer, kProgramName, MB_OK);
    DestroyWindow(window);
    return code;
}
