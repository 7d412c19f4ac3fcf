// The enemy: a winged girl with blue hair in a magenta dress, six 48 x 48 frames of one wing
// beat. The down-stroke spreads the feathers, the up-stroke folds them, so no two frames
// match. The picture keeps the cell's top 6 rows empty and fills it below them.

#include <algorithm>
#include <cmath>
#include <vector>

#include "char_art.h"
#include "raster.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTop = 6;  // rows left empty above the figure

// One wing from the shoulder at (px, py); side -1 left, 1 right. `raise` in degrees above
// the horizontal; `spread` scales how far the feathers fan out; `reach` their length.
void DrawWing(Cell& c, double px, double py, int side, double raise, double spread, double reach) {
    std::vector<Point> outline{{px, py + 3}};
    std::vector<std::pair<Point, Point>> quills;
    for (int j = 0; j < 5; ++j) {
        const double a = (raise - j * 13.0 * spread) * kPi / 180.0;
        const double len = reach * (1.0 - j * 0.13);
        const Point tip{px + side * std::cos(a) * len, py - std::sin(a) * len};
        outline.push_back(tip);
        quills.push_back({{px, py + j * 0.6}, tip});
    }
    std::reverse(outline.begin() + 1, outline.end());
    outline.push_back({px, py - 1});
    c.Polygon(outline, Tone(Ramp::Violet, 0.86));
    for (size_t j = 0; j < quills.size(); ++j) {
        const auto& [from, to] = quills[j];
        c.Line(from.x, from.y, to.x, to.y, Tone(Ramp::Violet, j == 0 ? 0.97 : 0.62));
    }
}

void DrawFigure(Cell c, int frame) {
    // Wing beat: the raise swings on a cosine, the feathers spread on the way down.
    const double raise = 6.0 + 34.0 * std::cos(2 * kPi * frame / 6.0);
    const bool upStroke = frame >= 4;
    const double spread = upStroke ? 0.7 : 1.0;
    const double reach = upStroke ? 20.0 : 24.0;
    const double shoulderY = 26 - kTop;
    DrawWing(c, 20.0, shoulderY, -1, raise, spread, reach);
    DrawWing(c, 28.0, shoulderY, 1, raise, spread, reach);

    // Long hair behind the head and shoulders.
    c.Ellipse(24.0, 15.5 - kTop, 9.5, 9.5,
              [](double nx, double ny) { return Shade(Ramp::Blue, SphereLevel(nx, ny, 3, 11)); });
    c.Polygon({{15, 14 - kTop}, {33, 14 - kTop}, {34, 31 - kTop}, {14, 31 - kTop}},
              Tone(Ramp::Blue, 0.35));
    c.Line(15.5, 16 - kTop, 14.5, 30 - kTop, Tone(Ramp::Blue, 0.55));
    c.Line(32.5, 16 - kTop, 33.5, 30 - kTop, Tone(Ramp::Blue, 0.45));

    // Dress: flares from the shoulders to a scalloped hem on the cell's bottom row.
    for (int y = 25 - kTop; y < 48 - kTop; ++y) {
        const double t = double(y - (25 - kTop)) / (22 - 1);
        const double half = 4.5 + t * 8.5;
        for (int x = 0; x < 48; ++x) {
            const double u = (x + 0.5 - 24.0) / half;
            if (std::fabs(u) > 1) {
                continue;
            }
            // Scallops along the hem.
            if (y >= 46 - kTop && std::fmod(x + 0.5 + 1000, 4.0) < 1.0) {
                continue;
            }
            const double fold = 0.12 * std::cos(u * 9.0);
            c.Put(x, y, Tone(Ramp::Magenta, std::clamp(0.62 - 0.3 * u + fold, 0.2, 0.9)));
        }
    }
    c.FillRect(22, 23 - kTop, 25, 24 - kTop, Shade(Ramp::Skin, 3));     // neck
    c.FillRect(21, 25 - kTop, 26, 25 - kTop, Shade(Ramp::Grey, 14));    // collar
    c.FillRect(19, 31 - kTop, 29, 31 - kTop, Tone(Ramp::Yellow, 0.5));  // sash
    c.Put(24, 31 - kTop, Tone(Ramp::Yellow, 0.9));

    // Face, with the fringe over its top.
    c.Ellipse(24.0, 18.0 - kTop, 5.5, 6.0,
              [](double nx, double ny) { return Shade(Ramp::Skin, SphereLevel(nx, ny, 3, 8)); });
    for (int x = 18; x <= 30; ++x) {
        const int fringe = 15 - kTop + ((x % 3) == 0 ? 1 : 0) - (x < 20 || x > 28 ? -2 : 0);
        for (int y = 9 - kTop; y <= fringe; ++y) {
            if (c.Painted(x, y)) {
                c.Put(x, y, Tone(Ramp::Blue, y < 12 - kTop ? 0.7 : 0.5));
            }
        }
    }
    // Eyes and mouth.
    for (int ex : {21, 26}) {
        c.Put(ex, 18 - kTop, Tone(Ramp::Navy, 0.1));
        c.Put(ex + 1, 18 - kTop, Tone(Ramp::Navy, 0.1));
        c.Put(ex, 19 - kTop, Tone(Ramp::Blue, 0.55));
        c.Put(ex + 1, 19 - kTop, Tone(Ramp::Blue, 0.75));
    }
    c.Put(24, 22 - kTop, Tone(Ramp::Red, 0.55));
    // A highlight on the hair.
    c.Line(20, 9 - kTop, 27, 9 - kTop, Tone(Ramp::Blue, 0.85));

    c.Outline(Shade(Ramp::Navy, 1));
}

}  // namespace

void DrawEnemyBand(IndexedImage& sheet) {
    for (int f = 0; f < 6; ++f) {
        DrawFigure(Cell(sheet, f * 48, 128 + kTop, 48, 48 - kTop), f);
    }
}
