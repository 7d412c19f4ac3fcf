// A small bitmap font of our own, for when no font face on the machine can be read.
//
// Printable ASCII, each character 5 x 7 pixels in a cell 6 wide and 8 tall; the font cache
// scales it by whole factors to the height asked for. Other characters show as '?'.
#pragma once

#include <cstdint>

constexpr int kBuiltinGlyphWidth = 5;
constexpr int kBuiltinGlyphHeight = 7;
constexpr int kBuiltinCellWidth = 6;
constexpr int kBuiltinCellHeight = 8;

// The character's seven rows, top first; bit 4 is the leftmost column.
const uint8_t* BuiltinGlyphRows(uint32_t codePoint);
