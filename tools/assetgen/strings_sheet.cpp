// STRINGS: the 8 x 16 bitmap font. Six rows of 75 cells for codes 32 to 106; rows 0 to 4
// hold the same glyphs in five colours, each shaded from the row's colour at the top and
// bottom edges to white across the middle; row 5 holds a few cyan boxes.

#include <cmath>
#include <cstdlib>

#include "font_glyphs.h"
#include "palette.h"
#include "raster.h"
#include "sheets.h"

namespace {

constexpr int kCellW = 8, kCellH = 16, kCells = 75;
constexpr int kGlyphTop = 3;  // capitals fill cell rows 3 to 12, centred on the cell

struct RowColours {
    // Index 0 is the middle (white), 4 the top and bottom edges.
    uint8_t upper[5];
    uint8_t lower[5];
};

RowColours ColoursOfRow(int row) {
    const uint8_t white = Shade(Ramp::Grey, 15);
    auto ramp = [&](Ramp r, int a, int b, int c, int d) {
        return RowColours{{white, Shade(r, a), Shade(r, b), Shade(r, c), Shade(r, d)},
                          {white, Shade(r, a), Shade(r, b), Shade(r, c), Shade(r, d)}};
    };
    switch (row) {
        case 0:
            return ramp(Ramp::Blue, 14, 12, 10, 8);
        case 1:
            // Edges in the prompt's yellow, entry 240.
            return ramp(Ramp::Yellow, 13, 11, 10, 8);
        case 2:
            return ramp(Ramp::Red, 14, 12, 10, 8);
        case 3:
            return RowColours{{white, Shade(Ramp::Green, 13), Shade(Ramp::Green, 10),
                               Shade(Ramp::Green, 7), Shade(Ramp::Green, 5)},
                              {white, Shade(Ramp::Grey, 12), Shade(Ramp::Grey, 10),
                               Shade(Ramp::Grey, 8), Shade(Ramp::Grey, 6)}};
        default:
            return RowColours{{white, Shade(Ramp::Grey, 13), Shade(Ramp::Grey, 11),
                               Shade(Ramp::Grey, 9), Shade(Ramp::Grey, 7)},
                              {white, Shade(Ramp::Grey, 11), Shade(Ramp::Grey, 7),
                               Shade(Ramp::Grey, 4), Shade(Ramp::Grey, 1)}};
    }
}

void DrawGlyph(Cell cell, int code, const RowColours& colours) {
    const char* const* rows = kGlyphs[code - kFirstGlyphCode];
    bool wide = false;
    for (int r = 0; r < kGlyphRows; ++r) {
        wide = wide || rows[r][kGlyphCols - 1] == 'X';
    }
    // Six-column glyphs sit one pixel in, so every glyph has air on both sides.
    const int left = wide ? 0 : 1;
    for (int r = 0; r < kGlyphRows; ++r) {
        const int y = kGlyphTop + r;
        const double fromMiddle = std::fabs(y + 0.5 - (kGlyphTop + 5.0));
        const int step = std::min(4, int(fromMiddle));
        const uint8_t c = y < kGlyphTop + 5 ? colours.upper[step] : colours.lower[step];
        for (int col = 0; col < kGlyphCols; ++col) {
            if (rows[r][col] == 'X') {
                cell.Put(left + col, y, c);
            }
        }
    }
}

void DrawBoxes(IndexedImage& sheet) {
    const uint8_t bright = Shade(Ramp::Cyan, 8), dark = Shade(Ramp::Cyan, 4);
    const int top = 5 * kCellH;
    // Cell 1: a chequered box.
    Cell chequer(sheet, 1 * kCellW, top, kCellW, kCellH);
    for (int y = 0; y < kCellH; ++y) {
        for (int x = 0; x < kCellW; ++x) {
            const bool edge = x == 0 || y == 0 || x == kCellW - 1 || y == kCellH - 1;
            chequer.Put(x, y, edge || ((x + y) & 1) ? bright : dark);
        }
    }
    // Cells 2 to 5: dashed frames, the dashes stepping round by one pixel per cell.
    for (int n = 0; n < 4; ++n) {
        Cell frame(sheet, (2 + n) * kCellW, top, kCellW, kCellH);
        int step = 0;
        auto dash = [&](int x, int y) {
            if (((step++ + n) & 3) < 2) {
                frame.Put(x, y, bright);
            }
        };
        for (int x = 0; x < kCellW - 1; ++x)
            dash(x, 0);
        for (int y = 0; y < kCellH - 1; ++y)
            dash(kCellW - 1, y);
        for (int x = kCellW - 1; x > 0; --x)
            dash(x, kCellH - 1);
        for (int y = kCellH - 1; y > 0; --y)
            dash(0, y);
    }
}

}  // namespace

IndexedImage MakeStringsSheet() {
    IndexedImage sheet(kCells * kCellW, 6 * kCellH, kClear);
    for (int row = 0; row < 5; ++row) {
        const RowColours colours = ColoursOfRow(row);
        for (int code = kFirstGlyphCode; code <= kLastGlyphCode; ++code) {
            DrawGlyph(Cell(sheet, (code - 32) * kCellW, row * kCellH, kCellW, kCellH), code,
                      colours);
        }
    }
    DrawBoxes(sheet);
    return sheet;
}
