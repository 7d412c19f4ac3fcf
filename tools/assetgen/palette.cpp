#include "palette.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Key {
    int level;
    Rgb rgb;
    int fixedIndex;  // -1 when the entry may go anywhere
};

struct RampKeys {
    int levels;
    std::vector<Key> keys;  // first key at level 0, last at levels - 1
};

// Ramps are interpolated between keys; the fixed keys are the entries the game names.
const RampKeys kRamps[int(Ramp::Count)] = {
    {16, {{0, {8, 5, 7}, kNearBlack}, {15, {255, 255, 255}, -1}}},
    {12, {{0, {4, 8, 28}, -1}, {2, {7, 4, 48}, kTitleNavy}, {11, {104, 124, 214}, -1}}},
    {16,
     {{0, {40, 6, 10}, -1},
      {5, {150, 20, 24}, -1},
      {9, {232, 52, 30}, -1},
      {12, {255, 140, 100}, -1},
      {15, {255, 228, 215}, -1}}},
    {14,
     {{0, {30, 8, 44}, -1},
      {6, {122, 40, 172}, -1},
      {10, {192, 112, 242}, -1},
      {13, {242, 212, 255}, -1}}},
    {16,
     {{0, {8, 18, 66}, -1},
      {6, {30, 82, 212}, -1},
      {10, {92, 162, 255}, -1},
      {15, {230, 242, 255}, -1}}},
    {14,
     {{0, {112, 40, 0}, -1},
      {3, {212, 112, 0}, -1},
      {6, {248, 192, 10}, -1},
      {8, {251, 254, 16}, kPromptYellow},
      {10, {254, 255, 112}, -1},
      {13, {255, 255, 216}, -1}}},
    {12, {{0, {40, 20, 12}, -1}, {6, {142, 82, 36}, -1}, {11, {226, 182, 122}, -1}}},
    {16,
     {{0, {6, 32, 12}, -1},
      {4, {20, 92, 24}, -1},
      {8, {62, 172, 40}, -1},
      {12, {152, 232, 100}, -1},
      {15, {226, 255, 200}, -1}}},
    {10, {{0, {102, 50, 40}, -1}, {5, {226, 160, 130}, -1}, {9, {255, 236, 222}, -1}}},
    {12, {{0, {0, 42, 58}, -1}, {6, {0, 190, 222}, -1}, {11, {202, 255, 255}, -1}}},
    {10, {{0, {34, 40, 54}, -1}, {5, {121, 134, 150}, kPanelBlueGrey}, {9, {222, 230, 240}, -1}}},
    {7, {{0, {92, 100, 94}, -1}, {4, {185, 196, 188}, kLogoGrey}, {6, {234, 240, 232}, -1}}},
    {12, {{0, {52, 4, 36}, -1}, {6, {212, 50, 150}, -1}, {11, {255, 202, 240}, -1}}},
    {8, {{0, {92, 30, 4}, -1}, {4, {242, 122, 30}, -1}, {7, {255, 204, 152}, -1}}},
    {10, {{0, {22, 6, 18}, -1}, {9, {124, 44, 100}, -1}}},
    {10, {{0, {14, 12, 46}, -1}, {9, {126, 114, 226}, -1}}},
    {8, {{0, {42, 46, 10}, -1}, {7, {192, 202, 112}, -1}}},
    {8, {{0, {8, 42, 50}, -1}, {7, {122, 212, 212}, -1}}},
};

int Distance2(const Rgb& a, const Rgb& b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

struct Built {
    ColourTable colours{};
    std::vector<uint8_t> rampIndex[int(Ramp::Count)];
};

[[noreturn]] void Fail(const char* what, int a, int b) {
    std::fprintf(stderr, "palette: %s (%d, %d)\n", what, a, b);
    std::exit(1);
}

Built BuildPalette() {
    Built built;
    bool taken[256] = {};
    taken[kClear] = true;
    built.colours[kClear] = kClearRgb;

    struct Pending {
        int ramp, level;
        Rgb rgb;
    };
    std::vector<Pending> pending;
    for (int r = 0; r < int(Ramp::Count); ++r) {
        const RampKeys& ramp = kRamps[r];
        built.rampIndex[r].resize(ramp.levels);
        for (size_t k = 0; k + 1 < ramp.keys.size(); ++k) {
            const Key& a = ramp.keys[k];
            const Key& b = ramp.keys[k + 1];
            const int last = (k + 2 == ramp.keys.size()) ? b.level : b.level - 1;
            for (int level = a.level; level <= last; ++level) {
                const double t = double(level - a.level) / double(b.level - a.level);
                Rgb c{int(std::lround(a.rgb.r + (b.rgb.r - a.rgb.r) * t)),
                      int(std::lround(a.rgb.g + (b.rgb.g - a.rgb.g) * t)),
                      int(std::lround(a.rgb.b + (b.rgb.b - a.rgb.b) * t))};
                const Key* fixed = level == a.level ? &a : (level == b.level ? &b : nullptr);
                if (fixed && fixed->fixedIndex >= 0) {
                    built.colours[fixed->fixedIndex] = fixed->rgb;
                    taken[fixed->fixedIndex] = true;
                    built.rampIndex[r][level] = uint8_t(fixed->fixedIndex);
                } else {
                    pending.push_back({r, level, c});
                }
            }
        }
    }
    int next = 0;
    for (const Pending& p : pending) {
        while (taken[next]) {
            ++next;
        }
        built.colours[next] = p.rgb;
        taken[next] = true;
        built.rampIndex[p.ramp][p.level] = uint8_t(next);
    }

    // The slots no ramp needs get the colours farthest from all the others, which widens
    // what the background's free colour conversion can reach. Colours near the transparent
    // green are never picked.
    for (int slot = 0; slot < 256; ++slot) {
        if (taken[slot]) {
            continue;
        }
        Rgb best{};
        int bestScore = -1;
        for (int r = 0; r < 256; r += 15) {
            for (int g = 0; g < 256; g += 15) {
                for (int b = 0; b < 256; b += 15) {
                    const Rgb c{r, g, b};
                    if (Distance2(c, kClearRgb) < 90 * 90) {
                        continue;
                    }
                    int nearest = 1 << 30;
                    for (int i = 0; i < 256; ++i) {
                        if (taken[i] && i != kClear) {
                            nearest = std::min(nearest, Distance2(c, built.colours[i]));
                        }
                    }
                    if (nearest > bestScore) {
                        bestScore = nearest;
                        best = c;
                    }
                }
            }
        }
        built.colours[slot] = best;
        taken[slot] = true;
    }

    // Far enough apart that a unit nudge, or any sane distance measure, never changes which
    // entry a colour lands on.
    for (int i = 0; i < 256; ++i) {
        for (int j = i + 1; j < 256; ++j) {
            const int limit = (i == kClear || j == kClear) ? 48 * 48 : 7 * 7;
            if (Distance2(built.colours[i], built.colours[j]) < limit) {
                std::fprintf(stderr, "(%d,%d,%d) (%d,%d,%d)\n", built.colours[i].r,
                             built.colours[i].g, built.colours[i].b, built.colours[j].r,
                             built.colours[j].g, built.colours[j].b);
                Fail("entries too close", i, j);
            }
        }
    }
    return built;
}

const Built& Palette() {
    static const Built built = BuildPalette();
    return built;
}

}  // namespace

const ColourTable& DisplayColours() {
    return Palette().colours;
}

int RampLevels(Ramp ramp) {
    return int(Palette().rampIndex[int(ramp)].size());
}

uint8_t Shade(Ramp ramp, int level) {
    const auto& levels = Palette().rampIndex[int(ramp)];
    if (level < 0) {
        level = 0;
    }
    if (level >= int(levels.size())) {
        level = int(levels.size()) - 1;
    }
    return levels[level];
}

uint8_t Nearest(double r, double g, double b, uint8_t avoid) {
    const ColourTable& colours = DisplayColours();
    int best = 0;
    double bestD = 1e30;
    for (int i = 0; i < 256; ++i) {
        if (i == kClear || i == avoid) {
            continue;
        }
        const double dr = colours[i].r - r, dg = colours[i].g - g, db = colours[i].b - b;
        const double d = dr * dr + dg * dg + db * db;
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return uint8_t(best);
}

uint8_t CharIndex(uint8_t displayIndex) {
    if (displayIndex == kClear) {
        return kCharClear;
    }
    // Display entry 144 moves up into the slot the transparent green vacates.
    return displayIndex == kCharClear ? kClear : displayIndex;
}

const ColourTable& CharColours() {
    static const ColourTable table = [] {
        ColourTable t{};
        const ColourTable& display = DisplayColours();
        for (int i = 0; i < 256; ++i) {
            if (i == kClear) {
                continue;
            }
            const Rgb& c = display[i];
            // Flipping the lowest bit moves each channel by one unit and keeps it in range.
            t[CharIndex(uint8_t(i))] = Rgb{c.r ^ 1, c.g ^ 1, c.b ^ 1};
        }
        t[kCharClear] = kClearRgb;
        return t;
    }();
    return table;
}
