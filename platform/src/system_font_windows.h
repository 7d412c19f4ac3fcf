// Windows' own fonts, rasterised by its GDI, for the modern Windows program's system-font
// rasteriser (gdi_font_cache.cpp). Plain types only: the caller is compiled against our
// platform headers, the implementation against the real Windows ones.
#pragma once

#include <cstddef>
#include <cstdint>

struct SystemFontRequest {
    const char* faceUtf8 = "";
    long height = 0;  // as in LOGFONT: a cell, an em when negative, 0 for the default
    int weight = 0;
    bool italic = false;
    uint8_t charset = 0;
};

struct SystemGlyph {
    int left = 0;
    int top = 0;  // from the baseline up
    int width = 0;
    int height = 0;
    int advance = 0;  // whole pixels
};

// A font Windows matched to the request (its font mapper always finds one), with its ascent
// and cell height in pixels; null when GDI cannot make one at all.
void* OpenSystemFont(const SystemFontRequest& request, int* ascent, int* cellHeight);
void CloseSystemFont(void* font);

// Renders the character without grey levels into `ink` (width * height bytes, 1 for ink, top
// row first); false when the image does not fit in `inkBytes` or GDI cannot draw it.
bool RenderSystemGlyph(void* font, uint32_t codePoint, SystemGlyph* glyph, uint8_t* ink,
                       size_t inkBytes);
