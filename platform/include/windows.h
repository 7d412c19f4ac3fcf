// The subset of the Win32 API that the game calls, for systems without Windows.
//
// The game includes this exactly as it includes the real <windows.h>; the types keep their
// Windows sizes (DWORD and LONG are 32 bits) so arithmetic on them behaves the same on both.
// Declarations grow only as the game starts to call something new.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define WINAPIV
#define CALLBACK
#define APIENTRY

typedef int BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int16_t SHORT;
typedef char CHAR;
typedef int32_t HRESULT;
typedef uint16_t ATOM;
typedef DWORD COLORREF;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;

#define TRUE 1
#define FALSE 0

// Handles are distinct pointer types, as with STRICT on Windows.
#define ZEPHYX_DECLARE_HANDLE(name) \
    struct name##__;                \
    typedef name##__* name
ZEPHYX_DECLARE_HANDLE(HWND);
ZEPHYX_DECLARE_HANDLE(HINSTANCE);
#undef ZEPHYX_DECLARE_HANDLE
typedef HINSTANCE HMODULE;

// Result codes
#define S_OK ((HRESULT)0)
#define E_FAIL ((HRESULT)0x80004005)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

// Colours: 0x00BBGGRR
#define RGB(r, g, b) \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)(((WORD)(c)) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))
#define CLR_INVALID 0xFFFFFFFF

#define LOWORD(l) ((WORD)(((uintptr_t)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((uintptr_t)(l)) >> 16) & 0xffff))

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
typedef RECT* LPRECT;

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);

// Virtual-key codes
#define VK_RETURN 0x0D
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_F12 0x7B

// Bit 0x8000 is set while the key is down, as of the latest event pump.
SHORT GetAsyncKeyState(int virtualKey);

// One monotonic millisecond count, shared with timeGetTime, wrapping modulo 2^32.
DWORD GetTickCount(void);
void Sleep(DWORD milliseconds);

// printf rules into a buffer that Windows limits to 1024 characters plus the terminator.
int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...);

// Writes the text unchanged to standard error.
void OutputDebugStringA(LPCSTR text);
