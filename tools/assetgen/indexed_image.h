// An 8-bit palettised picture and the BMP file it becomes.
// The sheet builders draw into IndexedImage (row 0 at the top); main writes each one with
// WriteBitmapFile, which stores the rows bottom-up behind the 14-byte file header, exactly
// the layout the game's resource loader expects.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

using ColourTable = std::array<Rgb, 256>;

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height, top row first

    IndexedImage(int w, int h, uint8_t fill) : width(w), height(h), pixels(size_t(w) * h, fill) {}

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
    void Set(int x, int y, uint8_t c) {
        if (Contains(x, y)) {
            pixels[size_t(y) * width + x] = c;
        }
    }
};

// Writes BITMAPFILEHEADER + BITMAPINFOHEADER + 256 colours + bottom-up pixels.
// Returns false (with a message on stderr) when the file cannot be written.
bool WriteBitmapFile(const std::string& path, const IndexedImage& image,
                     const ColourTable& colours);
