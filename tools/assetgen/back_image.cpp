// BACKIMG: the play field's backdrop, a dark star field with red, blue and violet nebulae
// and one bright star, between two uniform blue-grey panels. Painted in RGB and then
// converted to the display palette with a light ordered dither so the clouds stay smooth.

#include <algorithm>
#include <cmath>
#include <vector>

#include "palette.h"
#include "prng.h"
#include "sheets.h"

namespace {

constexpr int kWidth = 640, kHeight = 640;
constexpr int kBandLeft = 150, kBandRight = 630;  // right exclusive

struct Colour {
    double r = 0, g = 0, b = 0;
};

// Value noise on a lattice of seeded random values, smoothed with a quintic fade.
class ValueNoise {
public:
    explicit ValueNoise(uint64_t seed) {
        Prng prng(seed);
        for (double& v : lattice_) {
            v = prng.Unit();
        }
    }
    double At(double x, double y) const {
        const int xi = int(std::floor(x)), yi = int(std::floor(y));
        const double fx = Fade(x - xi), fy = Fade(y - yi);
        const double a = Lattice(xi, yi), b = Lattice(xi + 1, yi);
        const double c = Lattice(xi, yi + 1), d = Lattice(xi + 1, yi + 1);
        return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
    }
    double Fbm(double x, double y, int octaves) const {
        double sum = 0, amp = 0.5, norm = 0;
        for (int o = 0; o < octaves; ++o) {
            sum += At(x, y) * amp;
            norm += amp;
            x = x * 2.03 + 17.1;
            y = y * 2.03 + 5.3;
            amp *= 0.5;
        }
        return sum / norm;
    }

private:
    static double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
    double Lattice(int x, int y) const { return lattice_[((y & 63) << 6) | (x & 63)]; }
    double lattice_[64 * 64];
};

// A soft elongated cloud: 1 at its centre, 0 beyond its radii, turned by `angle`.
double CloudMask(double x, double y, double cx, double cy, double rx, double ry, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    const double u = ((x - cx) * c + (y - cy) * s) / rx;
    const double v = (-(x - cx) * s + (y - cy) * c) / ry;
    const double d = u * u + v * v;
    return d >= 1 ? 0 : (1 - d) * (1 - d);
}

void AddNebulae(std::vector<Colour>& sky) {
    const ValueNoise shape(11), detail(23), dust(37);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = kBandLeft; x < kBandRight; ++x) {
            Colour& c = sky[size_t(y) * kWidth + x];
            const double n = shape.Fbm(x / 90.0, y / 90.0, 5);
            const double fine = detail.Fbm(x / 28.0, y / 28.0, 4);
            const double cloud = std::clamp((n - 0.32) * 2.2, 0.0, 1.0) * (0.65 + 0.7 * fine);

            const double red = CloudMask(x, y, 270, 150, 210, 95, 0.55) * cloud;
            const double blue = CloudMask(x, y, 520, 420, 200, 110, -0.8) * cloud;
            const double violet = CloudMask(x, y, 380, 300, 170, 80, 0.2) * cloud;
            const double tail = CloudMask(x, y, 300, 560, 190, 60, 0.35) * cloud;

            c.r += red * 210 + violet * 125 + blue * 26 + tail * 150;
            c.g += red * 34 + violet * 36 + blue * 86 + tail * 24;
            c.b += red * 46 + violet * 185 + blue * 240 + tail * 70;
            // Hot cores where the clouds are thickest.
            const double core = std::pow(std::max({red, blue, violet, tail}), 3.0);
            c.r += core * 90;
            c.g += core * 70;
            c.b += core * 80;

            // Dark dust lanes cut across the glow.
            const double lane = std::clamp((dust.Fbm(x / 45.0, y / 45.0, 4) - 0.52) * 4, 0.0, 1.0);
            const double keep = 1 - 0.7 * lane;
            c.r *= keep;
            c.g *= keep;
            c.b *= keep;
        }
    }
}

void AddStar(std::vector<Colour>& sky, int x, int y, const Colour& c, double strength) {
    if (x < kBandLeft || x >= kBandRight || y < 0 || y >= kHeight) {
        return;
    }
    Colour& p = sky[size_t(y) * kWidth + x];
    p.r += c.r * strength;
    p.g += c.g * strength;
    p.b += c.b * strength;
}

void AddStars(std::vector<Colour>& sky) {
    static const Colour kTints[] = {
        {255, 255, 255}, {200, 220, 255}, {255, 240, 200}, {255, 200, 160}, {180, 200, 255}};
    Prng prng(2024);
    for (int i = 0; i < 1500; ++i) {
        const int x = kBandLeft + prng.Range(0, kBandRight - kBandLeft - 1);
        const int y = prng.Range(0, kHeight - 1);
        const Colour& tint = kTints[prng.Range(0, 4)];
        const double b = 0.15 + 0.85 * std::pow(prng.Unit(), 4.0);
        AddStar(sky, x, y, tint, b);
        if (b > 0.55) {
            // Brighter stars bleed into their neighbours.
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                AddStar(sky, x + dx, y + dy, tint, b * 0.35);
            }
        }
    }
}

// The one bright star: a white core, a blue-white halo and four long spikes.
void AddBrightStar(std::vector<Colour>& sky) {
    const double cx = 468.5, cy = 196.5;
    for (int y = int(cy) - 40; y <= int(cy) + 40; ++y) {
        for (int x = int(cx) - 40; x <= int(cx) + 40; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double d = std::sqrt(dx * dx + dy * dy);
            double glow = std::exp(-d / 3.2) * 1.6 + std::exp(-d / 11.0) * 0.35;
            const double ax = std::fabs(dx), ay = std::fabs(dy);
            if (ay < 1.0) {
                glow += std::max(0.0, 1 - ax / 38.0) * 0.9 * (1 - ay);
            }
            if (ax < 1.0) {
                glow += std::max(0.0, 1 - ay / 38.0) * 0.9 * (1 - ax);
            }
            if (std::fabs(ax - ay) < 0.8 && d < 14) {
                glow += (1 - d / 14.0) * 0.35;
            }
            AddStar(sky, x, y, Colour{210, 230, 255}, glow);
        }
    }
}

}  // namespace

IndexedImage MakeBackImage() {
    std::vector<Colour> sky(size_t(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = kBandLeft; x < kBandRight; ++x) {
            // Near-black ground with a faint blue lift toward the lower part of the field.
            Colour& c = sky[size_t(y) * kWidth + x];
            c = Colour{8, 5, 7 + 10.0 * y / kHeight};
        }
    }
    AddNebulae(sky);
    AddStars(sky);
    AddBrightStar(sky);

    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    IndexedImage image(kWidth, kHeight, kPanelBlueGrey);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = kBandLeft; x < kBandRight; ++x) {
            const Colour& c = sky[size_t(y) * kWidth + x];
            const double d = (kBayer[y & 3][x & 3] - 7.5) * 0.9;
            // The panel colour stays out of the picture, so the band's edge is always crisp.
            image.Set(x, y,
                      Nearest(std::min(255.0, c.r + d), std::min(255.0, c.g + d),
                              std::min(255.0, c.b + d), kPanelBlueGrey));
        }
    }
    return image;
}
