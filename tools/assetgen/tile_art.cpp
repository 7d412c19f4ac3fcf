// Rows 272-351 within columns 0-191: floor tiles in six colours (plain, cracked, patterned,
// brick) and, below them, six balls marked P, three small patterns and three flame pictures,
// the last of which is the ship's shot. Every 16-pixel cell keeps its right column and bottom
// row clear, so the shot's rectangle, one pixel up and left of its cell, holds the shot alone.

#include <algorithm>
#include <cmath>

#include "char_art.h"
#include "prng.h"
#include "raster.h"

namespace {

constexpr int kArt = 15;  // drawn size inside each 16-pixel cell

constexpr Ramp kTileRamps[6] = {Ramp::Brown, Ramp::Red,    Ramp::Green,
                                Ramp::Blue,  Ramp::Violet, Ramp::Grey};

void Bevel(Cell& c, Ramp r, Prng& prng) {
    for (int y = 0; y < kArt; ++y) {
        for (int x = 0; x < kArt; ++x) {
            double f = 0.45 + (prng.Unit() - 0.5) * 0.08;
            if (x == 0 || y == 0) {
                f = 0.75;
            } else if (x == kArt - 1 || y == kArt - 1) {
                f = 0.2;
            }
            c.Put(x, y, Tone(r, f));
        }
    }
}

void Crack(Cell& c, Ramp r, Prng& prng) {
    double x = 2 + prng.Range(0, 4), y = 1;
    while (y < kArt - 2) {
        const double nx = std::clamp(x + prng.Range(-2, 2), 1.0, kArt - 2.0), ny = y + 2;
        c.Line(x, y, nx, ny, Tone(r, 0.08));
        c.Line(x + 1, y, nx + 1, ny, Tone(r, 0.6));
        if (prng.Range(0, 3) == 0) {
            c.Line(nx, ny, nx + 3, ny + 1, Tone(r, 0.08));
        }
        x = nx;
        y = ny;
    }
}

void Pattern(Cell& c, Ramp r, bool rings) {
    for (int y = 2; y < kArt - 2; ++y) {
        for (int x = 2; x < kArt - 2; ++x) {
            const int dx = std::abs(x - 7), dy = std::abs(y - 7);
            const bool on = rings ? ((std::max(dx, dy) % 3) == 0) : (((dx + dy) % 4) == 0);
            if (on) {
                c.Put(x, y, Tone(r, 0.85));
            }
        }
    }
}

void Bricks(Cell& c, Ramp r, int offset) {
    for (int y = 0; y < kArt; ++y) {
        for (int x = 0; x < kArt; ++x) {
            const int course = y / 4;
            const bool mortar = (y % 4) == 3 || ((x + offset + (course % 2) * 4) % 8) == 7;
            c.Put(x, y, mortar ? Tone(r, 0.12) : Tone(r, (y % 4) == 0 ? 0.7 : 0.5));
        }
    }
}

void Tiles(IndexedImage& sheet) {
    Prng prng(77);
    for (int colour = 0; colour < 6; ++colour) {
        const Ramp r = kTileRamps[colour];
        for (int variant = 0; variant < 2; ++variant) {
            const int x = (colour * 2 + variant) * 16;
            Cell plain(sheet, x, 272, kArt, kArt);
            Bevel(plain, r, prng);
            Cell cracked(sheet, x, 288, kArt, kArt);
            Bevel(cracked, r, prng);
            Crack(cracked, r, prng);
            Cell patterned(sheet, x, 304, kArt, kArt);
            Bevel(patterned, r, prng);
            Pattern(patterned, r, variant == 1);
            Cell brick(sheet, x, 320, kArt, kArt);
            Bricks(brick, r, variant * 4);
        }
    }
}

void LetterBall(Cell c, Ramp r) {
    c.Ellipse(7.5, 7.5, 7.5, 7.5, [r](double nx, double ny) {
        return Shade(r, SphereLevel(nx, ny, 2, RampLevels(r) - 3));
    });
    c.Stamp(5, 4, {"XXXX.", "X...X", "X...X", "XXXX.", "X....", "X...."},
            [](char) { return Shade(Ramp::Grey, 15); });
}

void Patterns(IndexedImage& sheet) {
    Cell chequer(sheet, 96, 336, kArt, kArt);
    for (int y = 0; y < kArt; ++y) {
        for (int x = 0; x < kArt; ++x) {
            chequer.Put(x, y,
                        ((x / 3 + y / 3) & 1) ? Tone(Ramp::Grey, 0.7) : Tone(Ramp::Grey, 0.35));
        }
    }
    Cell zigzag(sheet, 112, 336, kArt, kArt);
    for (int x = 0; x < kArt; ++x) {
        for (int band = 0; band < 4; ++band) {
            const int y = band * 4 + std::abs((x % 4) - 2);
            zigzag.Put(x, y, Tone(Ramp::Cyan, 0.7));
        }
    }
    Cell dots(sheet, 128, 336, kArt, kArt);
    for (int y = 1; y < kArt; y += 4) {
        for (int x = 1 + (y / 4 % 2) * 2; x < kArt; x += 4) {
            dots.FillRect(x, y, x + 1, y + 1, Tone(Ramp::Magenta, 0.7));
        }
    }
}

// A flame pointing up, centred on cx, from `tip` down to `bottom`, `half` pixels wide at most.
void Flame(Cell& c, double cx, double tip, double bottom, double half, double lean) {
    for (int y = int(tip); y <= int(bottom); ++y) {
        const double t = (y + 0.5 - tip) / (bottom - tip);  // 0 at the tip, 1 at the bottom
        const double w =
            half * (t < 0.75 ? std::sqrt(t / 0.75)
                             : std::sqrt(std::max(0.0, 1 - std::pow((t - 0.75) / 0.25, 2))));
        const double mid = cx + lean * (1 - t);
        for (int x = int(mid - w - 1); x <= int(mid + w + 1); ++x) {
            const double u = std::fabs(x + 0.5 - mid) / std::max(w, 0.01);
            if (u > 1) {
                continue;
            }
            uint8_t tone;
            if (u < 0.4 && t > 0.45) {
                tone = Tone(Ramp::Yellow, 0.95);
            } else if (u < 0.7 && t > 0.25) {
                tone = kPromptYellow;
            } else if (u < 0.85) {
                tone = Tone(Ramp::Orange, 0.55);
            } else {
                tone = Tone(Ramp::Red, 0.55);
            }
            c.Put(x, y, tone);
        }
    }
}

void Flames(IndexedImage& sheet) {
    Cell big(sheet, 144, 336, kArt, kArt);
    Flame(big, 7.5, 0.5, 14.0, 6.0, 0.8);
    Cell pair(sheet, 160, 336, kArt, kArt);
    Flame(pair, 4.0, 3.0, 14.0, 3.5, -0.6);
    Flame(pair, 11.0, 1.0, 14.0, 3.5, 0.6);
    // The shot: two small flames side by side, pointing up.
    Cell shot(sheet, 176, 336, kArt, kArt);
    Flame(shot, 4.0, 1.0, 13.0, 2.8, 0.0);
    Flame(shot, 11.0, 1.0, 13.0, 2.8, 0.0);
}

}  // namespace

void DrawTileBand(IndexedImage& sheet) {
    Tiles(sheet);
    static const Ramp kBalls[6] = {Ramp::Red,    Ramp::Blue,   Ramp::Green,
                                   Ramp::Yellow, Ramp::Violet, Ramp::Cyan};
    for (int i = 0; i < 6; ++i) {
        LetterBall(Cell(sheet, i * 16, 336, kArt, kArt), kBalls[i]);
    }
    Patterns(sheet);
    Flames(sheet);
}
