// The faces and glyph images behind GDI fonts, for TextOutA (gdi_text.cpp).
//
// A font description is realised once: its face name (in its character set's code page) goes
// through fontconfig, preferring a Japanese serif face when the name is unknown, and FreeType
// opens the file at the description's height. Glyphs are rendered without grey levels on first
// use into fixed storage and kept. Realised fonts and glyphs live until the program ends (the
// least recently used realisation makes room when too many sizes are in use; all glyphs are
// dropped when their storage is full), so drawing text that was drawn before allocates nothing,
// and the cache's own storage is never taken from the heap.
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
};

class RealisedFont;

// The font for `description`. Where no face on the machine can be read, a built-in bitmap font
// stands in (said once on standard error), so text is always drawn; null only once the program
// is ending. Valid until the next call.
RealisedFont* RealiseFont(const LOGFONTA& description);

// Pixels from the top of the character cell to the baseline, and the cell's whole height.
int FontAscent(const RealisedFont& font);
int FontCellHeight(const RealisedFont& font);

// The glyph for a Unicode code point (the face's missing-glyph image when it has none). Valid
// until the next call.
const CachedGlyph& FontGlyph(RealisedFont& font, uint32_t codePoint);

// Where the last-resort face is looked for; tests point it elsewhere to see a machine without
// it. Takes effect for fonts realised afterwards.
void FontCacheSetFallbackFile(const char* path);
