// The explosion: a yellow spark in three 16 x 16 frames at the start of rows 256-271, growing
// from an 8-pixel cross to a 14-pixel cross and bursting into a 16-pixel dashed cross. The
// rest of the band stays empty: the game's ship rule reads cells right of the third frame.

#include <cmath>

#include "char_art.h"
#include "raster.h"

namespace {

// Colour of a spark pixel by its distance from the centre, as a fraction of the arm.
uint8_t SparkTone(double fromCentre) {
    if (fromCentre < 0.2) {
        return Shade(Ramp::Grey, 15);
    }
    if (fromCentre < 0.45) {
        return Tone(Ramp::Yellow, 0.9);
    }
    if (fromCentre < 0.75) {
        return kPromptYellow;
    }
    return Tone(Ramp::Yellow, 0.4);
}

// A cross of two-pixel arms centred on the cell, `span` pixels from end to end.
void Cross(Cell& c, int span, bool dashed) {
    const int lo = 8 - span / 2, hi = 8 + span / 2 - 1;
    for (int i = lo; i <= hi; ++i) {
        const double d = std::fabs(i + 0.5 - 8.0) / (span / 2.0);
        const int step = int(std::fabs(i + 0.5 - 8.0));  // 0 at the centre, 7 at the ends
        if (dashed && (step == 2 || step == 5)) {
            continue;
        }
        const uint8_t tone = SparkTone(d);
        for (int w : {7, 8}) {
            c.Put(i, w, tone);
            c.Put(w, i, tone);
        }
    }
}

}  // namespace

void DrawExplosion(IndexedImage& sheet) {
    Cell first(sheet, 0, 256, 16, 16);
    Cross(first, 8, false);

    Cell second(sheet, 16, 256, 16, 16);
    Cross(second, 14, false);
    // A bright core and four embers on the diagonals.
    second.FillRect(6, 6, 9, 9, Tone(Ramp::Yellow, 0.9));
    second.FillRect(7, 7, 8, 8, Shade(Ramp::Grey, 15));
    for (int dx : {-1, 1}) {
        for (int dy : {-1, 1}) {
            second.Put(8 + dx * 4 - (dx < 0), 8 + dy * 4 - (dy < 0), Tone(Ramp::Orange, 0.55));
        }
    }

    Cell third(sheet, 32, 256, 16, 16);
    Cross(third, 16, true);
    for (int dx : {-1, 1}) {
        for (int dy : {-1, 1}) {
            third.Put(8 + dx * 5 - (dx < 0), 8 + dy * 5 - (dy < 0), Tone(Ramp::Orange, 0.4));
        }
    }
}
