// A picture with straight (not premultiplied) alpha, for the icons: row 0 at the top, four
// bytes a pixel in the order red, green, blue, alpha.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    RgbaImage(int w, int h) : width(w), height(h), rgba(size_t(w) * h * 4, 0) {}

    uint8_t* At(int x, int y) { return &rgba[(size_t(y) * width + x) * 4]; }
    const uint8_t* At(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
};

// Resamples `source` to size x size by the area each output pixel covers, weighting colours
// by their alpha. Whole enlargements are exact pixel copies, so the pixel art stays sharp;
// reductions blend. Integer arithmetic only, so every machine makes the same bytes.
RgbaImage ResampleSquare(const RgbaImage& source, int size);
