// Text in a context's font: each character's cached glyph image is drawn in the palette entry
// nearest the text colour, the top of the character cell at y, pen positions by the glyphs'
// advances; pixels outside the canvas are skipped.
#include <cstdint>
#include <cstring>

#include <windows.h>

#include "code_page.h"
#include "font_rasterizer.h"
#include "gdi_objects.h"

namespace {

// Each run of ink as one fill, clipped to the canvas.
void DrawGlyphRuns(const GdiCanvas& canvas, const CachedGlyph& glyph, int64_t left, int64_t top,
                   uint8_t index) {
    const uint16_t* runs = glyph.runs;
    for (int row = 0; row < glyph.height; ++row) {
        const int64_t y = top + row;
        const int count = *runs++;
        const uint16_t* rowRuns = runs;
        runs += 2 * count;
        if (y < 0 || y >= canvas.height) {
            continue;
        }
        uint8_t* pixels = canvas.pixels + static_cast<size_t>(y) * canvas.pitch;
        for (int run = 0; run < count; ++run) {
            const int64_t start = left + rowRuns[2 * run];
            const int64_t from = start < 0 ? 0 : start;
            const int64_t end = start + rowRuns[2 * run + 1];
            const int64_t to = end > canvas.width ? canvas.width : end;
            if (from < to) {
                std::memset(pixels + from, index, static_cast<size_t>(to - from));
            }
        }
    }
}

void DrawGlyph(const GdiCanvas& canvas, const CachedGlyph& glyph, int64_t penX, int64_t baseline,
               uint8_t index) {
    const int64_t left = penX + glyph.left;
    const int64_t top = baseline - glyph.top;
    if (glyph.runs != nullptr) {
        DrawGlyphRuns(canvas, glyph, left, top, index);
        return;
    }
    for (int row = 0; row < glyph.height; ++row) {
        const int64_t y = top + row;
        if (y < 0 || y >= canvas.height) {
            continue;
        }
        const uint8_t* ink = glyph.ink + static_cast<size_t>(row) * glyph.width;
        uint8_t* pixels = canvas.pixels + static_cast<size_t>(y) * canvas.pitch;
        for (int column = 0; column < glyph.width; ++column) {
            const int64_t x = left + column;
            if (ink[column] != 0 && x >= 0 && x < canvas.width) {
                pixels[x] = index;
            }
        }
    }
}

void FillClipped(const GdiCanvas& canvas, int64_t left, int64_t top, int64_t right, int64_t bottom,
                 uint8_t index) {
    left = left < 0 ? 0 : left;
    top = top < 0 ? 0 : top;
    right = right > canvas.width ? canvas.width : right;
    bottom = bottom > canvas.height ? canvas.height : bottom;
    for (int64_t y = top; y < bottom; ++y) {
        for (int64_t x = left; x < right; ++x) {
            canvas.pixels[static_cast<size_t>(y) * canvas.pitch + static_cast<size_t>(x)] = index;
        }
    }
}

}  // namespace

int SetBkMode(HDC dc, int mode) {
    HDC__* context = GdiDeviceContext(dc);
    if (context == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    const int previous = context->backgroundMode;
    context->backgroundMode = mode;
    return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    HDC__* context = GdiDeviceContext(dc);
    if (context == nullptr) {
        return CLR_INVALID;
    }
    const COLORREF previous = context->textColour;
    context->textColour = colour;
    return previous;
}

// An opaque background fills the cells of the whole text in white first, as the default
// background colour of a context.
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    HDC__* context = GdiDeviceContext(dc);
    GdiCanvas canvas;
    if (context == nullptr || length < 0 || (text == nullptr && length > 0) ||
        !OpenGdiCanvas(dc, &canvas)) {
        return FALSE;
    }
    RealisedFont* font = RealiseFont(context->font->description);
    if (font == nullptr) {
        return FALSE;
    }
    const BYTE charset = context->font->description.lfCharSet;
    const int64_t baseline = int64_t{y} + FontAscent(*font);
    if (context->backgroundMode == OPAQUE) {
        int64_t extent = 0;
        for (int i = 0, used = 0; i < length; i += used) {
            extent += FontGlyph(*font, NextCharacter(charset, text + i, length - i, &used)).advance;
        }
        FillClipped(canvas, x, y, x + (extent + 32) / 64, int64_t{y} + FontCellHeight(*font),
                    NearestPaletteIndex(canvas.palette, 255, 255, 255));
    }
    const COLORREF colour = context->textColour;
    const uint8_t index = NearestPaletteIndex(canvas.palette, GetRValue(colour), GetGValue(colour),
                                              GetBValue(colour));
    int64_t pen = int64_t{x} * 64;  // in 1/64 pixel
    for (int i = 0, used = 0; i < length; i += used) {
        const CachedGlyph& glyph =
            FontGlyph(*font, NextCharacter(charset, text + i, length - i, &used));
        DrawGlyph(canvas, glyph, (pen + 32) >> 6, baseline, index);
        pen += glyph.advance;
    }
    return TRUE;
}
