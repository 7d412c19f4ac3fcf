// TITLE: the logo band (rows 0-99), the prompt band (rows 100-134) and, below, captions the
// game never shows. The logo is seven katakana in one light grey; the prompt is yellow and
// fills its box; everything else is the transparent green.

#include <algorithm>
#include <cstdio>
#include <vector>

#include "glyph_raster.h"
#include "palette.h"
#include "sheets.h"

namespace {

struct Box {
    int left, top, right, bottom;  // inclusive
};

// "ZEPHYX STAR" in katakana.
const std::u32string kLogo = U"ゼフィクスター";
constexpr Box kLogoBox{23, 9, 605, 86};
constexpr Box kPromptBox{138, 103, 486, 126};

void Paint(IndexedImage& image, const InkMask& mask, int left, int top, uint8_t c) {
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (mask.At(x, y)) {
                image.Set(left + x, top + y, c);
            }
        }
    }
}

void DrawLogo(IndexedImage& image, const GlyphRaster& mincho) {
    const int boxW = kLogoBox.right - kLogoBox.left + 1;
    const int boxH = kLogoBox.bottom - kLogoBox.top + 1;
    // The largest size at which the seven glyphs, with some air between them, fit the box.
    for (int size = 110; size > 20; --size) {
        std::vector<InkMask> glyphs;
        int inkW = 0, above = 0, below = -1000;
        for (char32_t ch : kLogo) {
            glyphs.push_back(mincho.Render(std::u32string(1, ch), size, size / 18.0));
            inkW += glyphs.back().width;
            above = std::min(above, glyphs.back().top);
            below = std::max(below, glyphs.back().top + glyphs.back().height);
        }
        const int gaps = int(glyphs.size()) - 1;
        if (inkW + gaps * 6 > boxW || below - above > boxH) {
            continue;
        }
        // Spread the glyphs so the first starts at the box's left and the last ends at its
        // right; all share one baseline, centred vertically.
        const int baseline = kLogoBox.top + (boxH - (below - above)) / 2 - above;
        int placed = 0;
        for (size_t i = 0; i < glyphs.size(); ++i) {
            const int left = kLogoBox.left + placed + int((boxW - inkW) * i / gaps);
            Paint(image, glyphs[i], left, baseline + glyphs[i].top, kLogoGrey);
            placed += glyphs[i].width;
        }
        return;
    }
}

// The largest size in 1/64 pixels, from `low64` up, whose ink `extent` still fits `limit`;
// the ink grows with the size, though hinting makes it grow in uneven steps.
template <typename Extent>
int LargestFit(int low64, int high64, int limit, Extent extent) {
    int best = low64;
    for (int size64 = low64; size64 <= high64; ++size64) {
        if (extent(size64) <= limit) {
            best = size64;
        }
    }
    return best;
}

// The prompt's ink fills its box exactly: the face's height is fitted to the box's height
// first, then its width, stretched or narrowed on its own, to the box's width.
InkMask PromptMask(const GlyphRaster& sans) {
    const std::u32string text = U"Push SpaceKey to Start";
    const int boxW = kPromptBox.right - kPromptBox.left + 1;
    const int boxH = kPromptBox.bottom - kPromptBox.top + 1;
    const int height64 = LargestFit(8 * 64, 40 * 64, boxH, [&](int size64) {
        return sans.RenderStretched(text, size64, size64).height;
    });
    const int width64 = LargestFit(height64 / 2, height64 * 2, boxW, [&](int size64) {
        return sans.RenderStretched(text, size64, height64).width;
    });
    return sans.RenderStretched(text, width64, height64);
}

void DrawShadowed(IndexedImage& image, const InkMask& mask, int left, int top, uint8_t face,
                  uint8_t shadow) {
    Paint(image, mask, left + 1, top + 1, shadow);
    Paint(image, mask, left, top, face);
}

void DrawCentred(IndexedImage& image, const GlyphRaster& sans, const std::u32string& text, int size,
                 int top, uint8_t face, uint8_t shadow) {
    const InkMask mask = sans.Render(text, size);
    DrawShadowed(image, mask, (image.width - mask.width) / 2, top, face, shadow);
}

}  // namespace

bool MakeTitleSheet(IndexedImage& image) {
    GlyphRaster mincho, sans;
    if (!mincho.Open(kLogoFontPath)) {
        std::fprintf(stderr, "font missing: %s (fonts-ipafont-mincho)\n", kLogoFontPath);
        return false;
    }
    if (!sans.Open(kCaptionFontPath)) {
        std::fprintf(stderr, "font missing: %s (fonts-dejavu-core)\n", kCaptionFontPath);
        return false;
    }
    DrawLogo(image, mincho);

    // The prompt in its one yellow, without a shadow, from corner to corner of its box.
    const InkMask prompt = PromptMask(sans);
    Paint(image, prompt, kPromptBox.left, kPromptBox.top, kPromptYellow);

    // Below the bands: the prompt again in green and the captions.
    const uint8_t green = Shade(Ramp::Green, 11), moss = Shade(Ramp::Green, 3);
    const uint8_t yellow = Shade(Ramp::Yellow, 9), ember = Shade(Ramp::Yellow, 1);
    DrawShadowed(image, prompt, kPromptBox.left, 150, green, moss);
    DrawCentred(image, sans, U"ARROW KEYS  :  MOVE", 16, 215, green, moss);
    DrawCentred(image, sans, U"SPACE KEY  :  FIRE", 16, 245, green, moss);
    DrawCentred(image, sans, U"ESC / F12  :  QUIT", 16, 275, green, moss);
    DrawCentred(image, sans, U"DEFEND THE NEBULA GATE", 20, 330, yellow, ember);
    DrawCentred(image, sans, U"(C) ZEPHYX DEVELOPMENT TEAM", 14, 420, yellow, ember);
    DrawCentred(image, sans, U"VERSION 1.0", 12, 445, green, moss);
    return true;
}
