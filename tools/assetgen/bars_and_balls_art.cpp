// Rows 352-375: metal bars and rail pieces the game never draws. Rows 376-383: twenty-four
// 8 x 8 bullet balls; the first six turn from red through red-and-blue to blue and back.

#include <cmath>

#include "char_art.h"
#include "raster.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void Bars(IndexedImage& sheet) {
    static const Ramp kBars[5] = {Ramp::Grey, Ramp::BlueGrey, Ramp::Brown, Ramp::Red, Ramp::Yellow};
    static const double kProfile[8] = {0.3, 0.55, 0.8, 0.95, 0.75, 0.55, 0.4, 0.2};
    for (int i = 0; i < 5; ++i) {
        const int left = i * 64, width = i < 4 ? 62 : 30;
        Cell bar(sheet, left, 352, width, 8);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool cap = x < 2 || x >= width - 2;
                bar.Put(x, y, Tone(kBars[i], kProfile[y] * (cap ? 0.7 : 1.0)));
            }
        }
    }
}

// A 16 x 16 rail piece: ties across, two rails along. Shapes: 0 straight across, 1 straight
// down, 2 crossing, 3 curve, 4 buffer stop across, 5 buffer stop down.
void RailPiece(Cell c, int shape, Ramp metal) {
    const uint8_t tie = Tone(Ramp::Brown, 0.35), rail = Tone(metal, 0.85),
                  under = Tone(metal, 0.35);
    auto across = [&](int toX) {
        for (int x = 1; x < toX; x += 4) {
            c.FillRect(x, 2, x + 1, 13, tie);
        }
        for (int x = 0; x < toX; ++x) {
            c.Put(x, 4, rail);
            c.Put(x, 5, under);
            c.Put(x, 11, rail);
            c.Put(x, 12, under);
        }
    };
    auto down = [&](int toY) {
        for (int y = 1; y < toY; y += 4) {
            c.FillRect(2, y, 13, y + 1, tie);
        }
        for (int y = 0; y < toY; ++y) {
            c.Put(4, y, rail);
            c.Put(5, y, under);
            c.Put(11, y, rail);
            c.Put(12, y, under);
        }
    };
    switch (shape) {
        case 0:
            across(16);
            break;
        case 1:
            down(16);
            break;
        case 2:
            across(16);
            down(16);
            break;
        case 3:
            for (int r : {4, 11}) {
                for (int a = 0; a <= 40; ++a) {
                    const double t = a * kPi / 80.0;
                    c.Put(int(16 - std::cos(t) * (16 - r)), int(std::sin(t) * (16 - r)) + 0, rail);
                }
            }
            break;
        case 4:
            across(12);
            c.FillRect(12, 2, 14, 13, Tone(Ramp::Red, 0.5));
            break;
        default:
            down(12);
            c.FillRect(2, 12, 13, 14, Tone(Ramp::Red, 0.5));
            break;
    }
}

void BulletBall(Cell c, Ramp first, Ramp second, double firstShare, double angle) {
    const double ca = std::cos(angle), sa = std::sin(angle);
    c.Ellipse(4.0, 4.0, 4.0, 4.0, [&](double nx, double ny) {
        const double along = nx * ca + ny * sa;  // -1..1 across the ball
        const Ramp r = along < firstShare * 2 - 1 ? first : second;
        return Shade(r, SphereLevel(nx, ny, RampLevels(r) / 4, RampLevels(r) - 2));
    });
}

}  // namespace

void DrawBarsAndBalls(IndexedImage& sheet) {
    Bars(sheet);
    for (int i = 0; i < 12; ++i) {
        RailPiece(Cell(sheet, i * 16, 360, 16, 16), i % 6, i < 6 ? Ramp::Grey : Ramp::Orange);
    }
    // Four cycles of six frames: the share of the first colour goes 1, 2/3, 1/3, 0, 1/3, 2/3
    // while the boundary turns, so every frame differs from its neighbours.
    static const Ramp kPairs[4][2] = {{Ramp::Red, Ramp::Blue},
                                      {Ramp::Green, Ramp::Yellow},
                                      {Ramp::Grey, Ramp::Cyan},
                                      {Ramp::Violet, Ramp::Orange}};
    static const double kShare[6] = {1.0, 2 / 3.0, 1 / 3.0, 0.0, 1 / 3.0, 2 / 3.0};
    for (int cycle = 0; cycle < 4; ++cycle) {
        for (int f = 0; f < 6; ++f) {
            BulletBall(Cell(sheet, (cycle * 6 + f) * 8, 376, 8, 8), kPairs[cycle][0],
                       kPairs[cycle][1], kShare[f], f * kPi / 3.0);
        }
    }
}
