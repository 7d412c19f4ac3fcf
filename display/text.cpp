#include "display/text.h"

#include <cstring>

#include <ddraw.h>

#include "display/blit.h"
#include "display/display.h"

namespace {
constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 16;
constexpr int kFirstGlyphCode = 32;
}  // namespace

HRESULT DrawSheetText(const char* text, int x, int y, int row) {
    RECT glyph;
    glyph.top = row * kGlyphHeight;
    glyph.bottom = glyph.top + kGlyphHeight;
    for (int i = 0; text[i] != '\0'; ++i) {
        // Characters are 8-bit codes; the sheet's cells start at the space.
        glyph.left = (static_cast<unsigned char>(text[i]) - kFirstGlyphCode) * kGlyphWidth;
        glyph.right = glyph.left + kGlyphWidth;
        HRESULT result = BltFastRetry(gBackSurface, x + i * kGlyphWidth, y, gStringsSurface, &glyph,
                                      DDBLTFAST_SRCCOLORKEY);
        if (result != DD_OK) {
            return result;
        }
    }
    return DD_OK;
}

void DrawFontText(int x, int y, const char* text, COLORREF colour, int height, const char* face,
                  BYTE italic) {
    LOGFONTA description;
    ZeroMemory(&description, sizeof description);
    description.lfHeight = height;
    description.lfWeight = FW_NORMAL;
    description.lfItalic = italic;
    description.lfCharSet = SHIFTJIS_CHARSET;
    strncpy(description.lfFaceName, face, sizeof description.lfFaceName - 1);
    HFONT font = CreateFontIndirectA(&description);

    HDC context;
    if (gBackSurface->GetDC(&context) == DD_OK) {
        HGDIOBJ previousFont = SelectObject(context, font);
        SetBkMode(context, TRANSPARENT);
        SetTextColor(context, colour);
        TextOutA(context, x, y, text, static_cast<int>(strlen(text)));
        SelectObject(context, previousFont);
        gBackSurface->ReleaseDC(context);
    }
    DeleteObject(font);
}
