// Text on the back buffer.
//
// DrawSheetText is the bitmap font of the STRINGS sheet, one 8x16 glyph blit per character;
// the frame driver draws the frame counter with it and the game its score. DrawFontText is a
// system font through GDI, for the large texts of the game-over screen.
#pragma once

#include <windows.h>

// Draws `text` with font row `row` at (x, y), 8 pixels per character. Returns 0, or the code of
// the first glyph blit that failed; the glyphs before it stay drawn. An empty text draws nothing.
HRESULT DrawSheetText(const char* text, int x, int y, int row);

// Draws `text` in the system font `face` at a cell height of `height` pixels, in `colour`, with
// a transparent background, the top-left of the text cell at (x, y). Reports nothing.
void DrawFontText(int x, int y, const char* text, COLORREF colour, int height, const char* face,
                  BYTE italic);
