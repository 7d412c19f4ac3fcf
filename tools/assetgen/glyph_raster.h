// Text rasterised with FreeType into a one-bit ink mask, for the title sheet.
// Glyphs are rendered anti-aliased and cut at half coverage, so the pixels depend only on the
// font file and the FreeType build, never on the machine's font configuration.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct InkMask {
    int width = 0, height = 0;
    int top = 0;  // row of the mask's first line relative to the baseline (negative: above)
    std::vector<uint8_t> on;
    bool At(int x, int y) const { return on[size_t(y) * width + x] != 0; }
};

class GlyphRaster {
public:
    GlyphRaster() = default;
    ~GlyphRaster();
    GlyphRaster(const GlyphRaster&) = delete;
    GlyphRaster& operator=(const GlyphRaster&) = delete;

    // False when the font file cannot be opened.
    bool Open(const char* path);
    // Renders `text` (UTF-32) at `pixelSize`, its strokes thickened by `embolden` pixels,
    // cropped to its ink.
    InkMask Render(const std::u32string& text, int pixelSize, double embolden = 0.0) const;
    // Renders `text` with the face stretched to `width64` by `height64` in 1/64 pixels,
    // unhinted so that the ink grows smoothly with the size and can be fitted to a box.
    InkMask RenderStretched(const std::u32string& text, int width64, int height64) const;

private:
    InkMask RenderAtCurrentSize(const std::u32string& text, int pixelSize, double embolden,
                                int loadFlags) const;

    void* library_ = nullptr;
    void* face_ = nullptr;
};
