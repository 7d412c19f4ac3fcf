#include "display/text.h"

#include <ddraw.h>

HRESULT DrawSheetText(const char*, int, int, int) {
    return DD_OK;
}

void DrawFontText(int, int, const char*, COLORREF, int, const char*, BYTE) {}
