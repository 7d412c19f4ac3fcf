// Base types, handles, result codes, colours and RECT, with their Windows sizes.
#pragma once

#include <cstddef>
#include <cstdint>

// mingw-w64's compiler headers (SDL includes them on Windows) may have said so already: on
// x86-64 both mean the one calling convention.
#ifndef WINAPI
#define WINAPI
#endif
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
typedef uint32_t ULONG;
typedef DWORD* LPDWORD;
typedef LONG* LPLONG;
typedef void* HANDLE;
typedef HANDLE HGDIOBJ;
typedef HANDLE HGLOBAL;
typedef int HFILE;

#define TRUE 1
#define FALSE 0

// Handles are distinct pointer types, as with STRICT on Windows.
#define ZEPHYX_DECLARE_HANDLE(name) \
    struct name##__;                \
    typedef name##__* name
ZEPHYX_DECLARE_HANDLE(HWND);
ZEPHYX_DECLARE_HANDLE(HINSTANCE);
ZEPHYX_DECLARE_HANDLE(HICON);
ZEPHYX_DECLARE_HANDLE(HBRUSH);
ZEPHYX_DECLARE_HANDLE(HMENU);
ZEPHYX_DECLARE_HANDLE(HDC);
ZEPHYX_DECLARE_HANDLE(HBITMAP);
ZEPHYX_DECLARE_HANDLE(HRSRC);
#undef ZEPHYX_DECLARE_HANDLE
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;

// Result codes
#define S_OK ((HRESULT)0)
#define E_NOTIMPL ((HRESULT)0x80004001)
#define E_NOINTERFACE ((HRESULT)0x80004002)
#define E_POINTER ((HRESULT)0x80004003)
#define E_FAIL ((HRESULT)0x80004005)
#define E_OUTOFMEMORY ((HRESULT)0x8007000E)
#define E_INVALIDARG ((HRESULT)0x80070057)
#define MAKE_HRESULT(severity, facility, code)                                         \
    ((HRESULT)(((unsigned long)(severity) << 31) | ((unsigned long)(facility) << 16) | \
               ((unsigned long)(code))))
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

// Interface identifiers, laid out as on Windows.
struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
typedef GUID IID;
typedef GUID* LPGUID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;

inline bool IsEqualGUID(REFGUID a, REFGUID b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) {
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i]) {
            return false;
        }
    }
    return true;
}
inline bool operator==(REFGUID a, REFGUID b) {
    return IsEqualGUID(a, b);
}
