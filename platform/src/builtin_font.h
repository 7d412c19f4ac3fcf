// A small bitmap font of our own, for when no font face on the machine can be read.
//
// Printable ASCII, each character 5 x 7 pixels in a cell 6 wide and 8 tall; the font cache
// scales it by whole factors to the height asked for. Other characters show as '?'.
#pragma once

#include <cstddef>
#include <cstdint>

#include "font_rasterizer.h"

constexpr int kBuiltinGlyphWidth = 5;
constexpr int kBuiltinGlyphHeight = 7;
constexpr int kBuiltinCellWidth = 6;
constexpr int kBuiltinCellHeight = 8;

// The character's seven rows, top first; bit 4 is the leftmost column.
const uint8_t* BuiltinGlyphRows(uint32_t codePoint);

// The built-in font's whole factor and metrics for a font description's height (a cell, an em
// when negative, or 0 for the default), so a system-font rasteriser without a face can stand in.
struct BuiltinFontSize {
    int scale = 1;
    int ascent = 0;
    int cellHeight = 0;
};
BuiltinFontSize SizeBuiltinFont(long height);

// The character scaled up by `scale`, each pixel of its rows a square of ink, into `ink` of
// `inkBytes`; an image that does not fit is left empty, with its advance.
CachedGlyph RenderBuiltinGlyph(uint32_t codePoint, int scale, uint8_t* ink, size_t inkBytes);
