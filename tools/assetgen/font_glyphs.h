// The bitmap font's glyph shapes for character codes 33 to 94, drawn by hand.
// Each glyph is kGlyphRows rows of kGlyphCols columns, 'X' for ink; rows 0 to 9 are the
// capital height and row 10 takes the tails of ',' and ';'. Code 92 is a yen sign.
// Used by the STRINGS sheet builder, which shades and places them.
#pragma once

constexpr int kFirstGlyphCode = 33;
constexpr int kLastGlyphCode = 94;
constexpr int kGlyphRows = 11;
constexpr int kGlyphCols = 7;

extern const char* const kGlyphs[kLastGlyphCode - kFirstGlyphCode + 1][kGlyphRows];
