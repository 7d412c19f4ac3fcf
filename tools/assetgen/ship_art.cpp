// The ship: a creature with two big eyes on a green stalk over a yellow-and-brown base.
// Eight 32 x 32 frames per row, in pairs: two spare upright frames, two upright, two with the
// base swung out to the left (steering right, the base lags behind) and two swung to the right.
// The figure keeps within columns 7 to 24 of its cell. Rows 32-127 repeat it in three other
// colourings.

#include <algorithm>
#include <cmath>

#include "char_art.h"
#include "raster.h"

namespace {

struct ShipColours {
    Ramp stalk, iris, top, band;
};

constexpr ShipColours kColourings[4] = {
    {Ramp::Green, Ramp::Blue, Ramp::Yellow, Ramp::Brown},
    {Ramp::Cyan, Ramp::Magenta, Ramp::Red, Ramp::Wine},
    {Ramp::Violet, Ramp::Green, Ramp::Blue, Ramp::Dusk},
    {Ramp::Olive, Ramp::Orange, Ramp::Sage, Ramp::BlueGrey},
};

// `figure` is the 18-pixel-wide strip at columns 7-24 of the cell. swing: -1 base out to
// the left, 0 upright, 1 out to the right. frame: 0 or 1 of the pair.
void DrawShip(Cell figure, const ShipColours& k, int swing, int frame) {
    // Base: a bowl with a yellow top and brown bands, sheared sideways when it swings.
    for (int y = 20; y <= 28; ++y) {
        const double t = (y + 0.5 - 20.5) / 8.5;
        const double half = 6.2 * std::sqrt(std::max(0.0, 1 - t * t * 0.78));
        const double cx = 8.5 + swing * 3.0 * (y - 19.5) / 9.0;
        for (int x = 0; x < 18; ++x) {
            const double u = (x + 0.5 - cx) / half;
            if (std::fabs(u) > 1) {
                continue;
            }
            const double lit = 0.75 - 0.55 * u - 0.25 * t;  // lit from the left
            uint8_t c;
            if (y == 20) {
                c = Tone(k.top, 0.85 + 0.15 * (1 - std::fabs(u)));
            } else if (y == 24 || y == 25 || y >= 27) {
                c = Tone(k.band, std::clamp(lit * 0.7, 0.15, 0.65));
            } else {
                c = Tone(k.top, std::clamp(0.25 + lit * 0.55, 0.2, 0.8));
            }
            figure.Put(x, y, c);
        }
        // Running lights on the middle band blink in turn.
        if (y == 24) {
            for (int i = -1; i <= 1; ++i) {
                const int lx = int(std::floor(cx + i * 3.5 + (frame ? 1.5 : -0.5)));
                if (std::fabs(lx + 0.5 - cx) < half - 1) {
                    figure.Put(lx, y, Tone(Ramp::Yellow, 0.95));
                }
            }
        }
    }
    // Exhaust flicker under the base.
    const int fx = int(std::floor(8.5 + swing * 3.0));
    figure.Put(fx, 29, Tone(Ramp::Orange, 0.6));
    figure.Put(fx - 1 + (swing < 0 ? 1 : 0), 29, Tone(Ramp::Yellow, 0.8));
    if (frame == 1) {
        figure.Put(fx, 30, Tone(Ramp::Red, 0.55));
    }

    // Stalk: two arms from the eyes joining a stem that bends toward the base.
    const uint8_t lit = Tone(k.stalk, 0.62), shade = Tone(k.stalk, 0.35);
    figure.Line(4.5, 11.5, 7.5, 15.5, lit);
    figure.Line(5.5, 11.5, 8.5, 15.5, shade);
    figure.Line(13.5, 11.5, 9.5, 15.5, shade);
    figure.Line(12.5, 11.5, 8.5, 15.5, lit);
    const double foot = 8.0 + swing * 1.6;
    figure.Line(8.0, 15.5, foot, 19.5, lit);
    figure.Line(9.0, 15.5, foot + 1, 19.5, shade);
    // Two leaves on the stem.
    const int leafY = 17;
    const int stemX = int(std::floor(8.0 + swing * 0.8));
    figure.Put(stemX - 1, leafY, Tone(k.stalk, 0.75));
    figure.Put(stemX - 2, leafY - 1, Tone(k.stalk, 0.75));
    figure.Put(stemX + 2, leafY, Tone(k.stalk, 0.45));
    figure.Put(stemX + 3, leafY - 1, Tone(k.stalk, 0.45));

    // Eyes: white balls with a coloured iris looking where the ship goes; the second frame
    // of each pair looks up a little, so the eyes seem to dart about.
    const double look = -swing * 0.9;  // toward the way the ship goes
    const double lift = frame ? -0.8 : 0.0;
    for (double ex : {5.0, 13.0}) {
        figure.Ellipse(ex, 7.5, 4.0, 4.0, [](double nx, double ny) {
            return nx * nx + ny * ny > 0.72 ? Tone(Ramp::Grey, 0.55)
                                            : Shade(Ramp::Grey, SphereLevel(nx, ny, 10, 15));
        });
        const double ix = ex + look, iy = 8.0 + lift;
        figure.Ellipse(ix, iy, 2.0, 2.3, [&](double nx, double ny) {
            return nx * nx + ny * ny < 0.3 ? Shade(Ramp::Grey, 0) : Tone(k.iris, 0.55 - 0.2 * ny);
        });
        figure.Put(int(std::floor(ix - 0.8)), int(std::floor(iy - 1.0)), Shade(Ramp::Grey, 15));
    }

    figure.Outline(Shade(Ramp::Navy, 1));
}

}  // namespace

void DrawShipBands(IndexedImage& sheet) {
    static const int kSwing[8] = {0, 0, 0, 0, -1, -1, 1, 1};
    for (int row = 0; row < 4; ++row) {
        for (int f = 0; f < 8; ++f) {
            DrawShip(Cell(sheet, f * 32 + 7, row * 32, 18, 32), kColourings[row], kSwing[f], f & 1);
        }
    }
}
