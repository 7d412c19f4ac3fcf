// The system-font rasteriser: the faces and glyph images behind GDI fonts, for TextOutA
// (gdi_text.cpp).
//
// Each backend links one implementation: the native backends the FreeType and fontconfig one
// (font_cache.h), the browser backend one that draws with the canvas. Whichever it is, a font
// description is realised once and its glyphs are rendered once, without grey levels, into
// storage that is not taken from the heap while frames run; drawing text that was drawn before
// allocates nothing.
#pragma once

#include <cstdint>

#include <windows.h>

struct CachedGlyph {
    int left = 0;  // from the pen position to the image's first column
    int top = 0;   // from the baseline up to the image's first row
    int width = 0;
    int height = 0;
    int advance = 0;               // to the next pen position, in 1/64 pixel
    const uint8_t* ink = nullptr;  // width * height, top row first, 1 where the glyph is drawn
    // The same ink row by row as runs, once the glyph store keeps the glyph (null before, or
    // when they do not fit): the row's number of runs, then each run's first column and length.
    // Drawing a large glyph is then a few fills a row instead of a test of every pixel.
    const uint16_t* runs = nullptr;
};

// Defined by the implementation.
class RealisedFont;

// The font for `description`, or null when no font can be had at all (the native rasteriser
// stands in with a built-in bitmap font where no face can be read, so text is still drawn).
// Valid until the next call.
RealisedFont* RealiseFont(const LOGFONTA& description);

// Pixels from the top of the character cell to the baseline, and the cell's whole height.
int FontAscent(const RealisedFont& font);
int FontCellHeight(const RealisedFont& font);

// The glyph for a Unicode code point (the face's missing-glyph image when it has none). Valid
// until the next call.
const CachedGlyph& FontGlyph(RealisedFont& font, uint32_t codePoint);
