// Pictures the game never draws: a walking beetle (rows 176-207), a water drop falling and
// splashing (rows 208-239) and four 16 x 16 icons (rows 240-255).

#include <algorithm>
#include <cmath>

#include "char_art.h"
#include "raster.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void DrawBeetle(Cell c, int frame) {
    // Legs first, so the shell covers their roots; a tripod gait, three legs at a time.
    for (int leg = 0; leg < 3; ++leg) {
        for (int side : {-1, 1}) {
            const double phase = std::sin(2 * kPi * frame / 8.0 + ((leg + (side > 0)) % 2) * kPi);
            const double ay = 12.0 + leg * 5.0;
            const double ax = 16.0 + side * 6.0;
            const double kx = ax + side * 5.0, ky = ay - 2.0 + leg * 1.5 + phase * 1.5;
            const double fx = kx + side * 2.0, fy = ky + (leg - 1) * 3.0 + phase;
            c.Line(ax, ay, kx, ky, Tone(Ramp::Brown, 0.2));
            c.Line(kx, ky, fx, fy, Tone(Ramp::Brown, 0.3));
        }
    }
    const double wave = std::sin(2 * kPi * frame / 8.0);
    c.Line(14.5, 4.5, 10.5 - wave, 0.5, Tone(Ramp::Brown, 0.4));
    c.Line(17.5, 4.5, 21.5 + wave, 0.5, Tone(Ramp::Brown, 0.4));
    c.Ellipse(16.0, 5.5, 3.5, 2.5,
              [](double nx, double ny) { return Shade(Ramp::Grey, SphereLevel(nx, ny, 2, 6)); });
    c.Ellipse(16.0, 9.0, 6.0, 3.0,
              [](double nx, double ny) { return Shade(Ramp::Teal, SphereLevel(nx, ny, 0, 5)); });
    c.Ellipse(16.0, 19.0, 8.5, 10.0,
              [](double nx, double ny) { return Shade(Ramp::Green, SphereLevel(nx, ny, 2, 13)); });
    c.Line(16.0, 11.0, 16.0, 28.0, Tone(Ramp::Green, 0.05));
    c.Put(12, 14, Shade(Ramp::Grey, 15));
    c.Outline(Shade(Ramp::Navy, 1));
}

void DrawDrop(Cell c, int frame) {
    auto water = [](double nx, double ny) { return Shade(Ramp::Cyan, SphereLevel(nx, ny, 3, 10)); };
    if (frame < 4) {
        // Falling: the drop stretches as it speeds up.
        const double cy = 8.0 + frame * 4.5, r = 5.0;
        const double tail = 4.0 + frame * 1.5;
        c.Polygon({{16.0, cy - r - tail}, {16.0 + r * 0.8, cy - 1}, {16.0 - r * 0.8, cy - 1}},
                  Tone(Ramp::Cyan, 0.55));
        c.Ellipse(16.0, cy, r, r + frame * 0.3, water);
        c.Put(14, int(cy) - 2, Shade(Ramp::Grey, 15));
    } else {
        // Splash: a spreading puddle and a crown of droplets rising and falling back.
        const int k = frame - 4;
        c.Ellipse(16.0, 27.0, 6.0 + k * 2.5, 2.0 + k * 0.3, [](double nx, double ny) {
            return nx * nx + ny * ny > 0.55 ? Tone(Ramp::Cyan, 0.85) : Tone(Ramp::Cyan, 0.45);
        });
        const double height = 9.0 * std::sin(kPi * (k + 1) / 5.0);
        for (int side : {-1, 1}) {
            for (int d = 0; d < 2; ++d) {
                const double x = 16.0 + side * (4.0 + k * 2.5 + d * 3.0);
                const double y = 24.0 - height * (d ? 0.6 : 1.0);
                c.Ellipse(x, y, 1.5, 1.8, water);
            }
        }
    }
    c.Outline(Tone(Ramp::Navy, 0.2));
}

void DrawHeart(Cell c) {
    auto red = [](double nx, double ny) { return Shade(Ramp::Red, SphereLevel(nx, ny, 4, 12)); };
    c.Ellipse(5.0, 6.0, 3.6, 3.6, red);
    c.Ellipse(10.0, 6.0, 3.6, 3.6, red);
    c.Polygon({{1.6, 7.2}, {13.4, 7.2}, {7.5, 14.0}}, Tone(Ramp::Red, 0.45));
    c.Put(4, 4, Shade(Ramp::Grey, 15));
}

void DrawStar(Cell c) {
    std::vector<Point> points;
    for (int i = 0; i < 10; ++i) {
        const double a = -kPi / 2 + i * kPi / 5;
        const double r = (i % 2) ? 3.0 : 7.2;
        points.push_back({7.5 + std::cos(a) * r, 8.0 + std::sin(a) * r});
    }
    c.Polygon(points, Tone(Ramp::Yellow, 0.6));
    c.Ellipse(7.5, 8.0, 2.4, 2.4, [](double, double) { return Tone(Ramp::Yellow, 0.9); });
}

void DrawShield(Cell c) {
    c.Polygon({{2, 1}, {14, 1}, {14, 8}, {8, 15}, {2, 8}}, Tone(Ramp::BlueGrey, 0.85));
    c.Polygon({{4, 3}, {12, 3}, {12, 8}, {8, 12.5}, {4, 8}}, Tone(Ramp::Blue, 0.45));
    c.Line(8, 3, 8, 12, Tone(Ramp::Yellow, 0.7));
    c.Line(4, 6, 12, 6, Tone(Ramp::Yellow, 0.7));
}

void DrawBomb(Cell c) {
    c.Ellipse(7.0, 9.0, 5.5, 5.5,
              [](double nx, double ny) { return Shade(Ramp::Grey, SphereLevel(nx, ny, 1, 8)); });
    c.FillRect(9, 2, 10, 4, Shade(Ramp::Grey, 6));
    c.Line(10, 2, 12, 0, Tone(Ramp::Brown, 0.7));
    c.Put(13, 0, Tone(Ramp::Yellow, 0.9));
    c.Put(14, 1, Tone(Ramp::Orange, 0.6));
    c.Put(12, 1, Tone(Ramp::Orange, 0.6));
}

}  // namespace

void DrawCritterBands(IndexedImage& sheet) {
    for (int f = 0; f < 8; ++f) {
        DrawBeetle(Cell(sheet, f * 32, 176, 32, 32), f);
        DrawDrop(Cell(sheet, f * 32, 208, 32, 32), f);
    }
    DrawHeart(Cell(sheet, 0, 240, 16, 16));
    DrawStar(Cell(sheet, 16, 240, 16, 16));
    DrawShield(Cell(sheet, 32, 240, 16, 16));
    DrawBomb(Cell(sheet, 48, 240, 16, 16));
}
