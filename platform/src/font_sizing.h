// How GDI sizes a face for a font description's height, for the system-font rasterisers.
//
// A positive height is the character cell: the face's Windows ascent plus descent (from its
// OS/2 table), not the em. A negative height is the em, and zero the default cell of 16
// pixels. Rasterisers whose own metrics differ (a browser's canvas uses other tables) size by
// these, so text lands as large and as high as on Windows.
#pragma once

struct FontScale {
    double emPixels = 0;  // the size to draw the face at
    int ascent = 0;       // from the top of the cell to the baseline, in pixels
    int cellHeight = 0;
};

// `winAscent` and `winDescent` in the same units as `unitsPerEm`. False when the metrics or
// the height give no drawable size.
bool ScaleFontToHeight(long height, double winAscent, double winDescent, double unitsPerEm,
                       FontScale* scale);
