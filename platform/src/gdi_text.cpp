// Placeholder until system-font rendering lands: fonts exist but draw nothing.
#include <cstdint>

#include <windows.h>

namespace {
uint32_t gPlaceholderFont;  // a kind tag no other GDI object uses
}

HFONT CreateFontIndirectA(const LOGFONTA* description) {
    return description != nullptr ? reinterpret_cast<HFONT>(&gPlaceholderFont) : nullptr;
}

int SetBkMode(HDC, int) {
    return OPAQUE;
}

COLORREF SetTextColor(HDC, COLORREF) {
    return 0;
}

BOOL TextOutA(HDC, int, int, LPCSTR, int) {
    return TRUE;
}
