// Reads one of the game's 8-bit BMP files for the asset tests: the headers as stored, the
// colour table and the pixels turned top row first.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct BitmapFile {
    std::vector<uint8_t> bytes;  // the whole file
    int width = 0, height = 0;
    std::array<std::array<int, 3>, 256> colours{};  // red, green, blue
    std::vector<uint8_t> pixels;                    // top row first

    uint32_t U32(size_t at) const {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
    }
    uint16_t U16(size_t at) const { return uint16_t(bytes[at] | bytes[at + 1] << 8); }
    uint8_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Empty `bytes` when the file is missing; pixels only when the header is what we write.
inline BitmapFile ReadBitmapFile(const std::string& path) {
    BitmapFile bmp;
    std::ifstream in(path, std::ios::binary);
    bmp.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (bmp.bytes.size() < 14 + 40 + 1024) {
        return bmp;
    }
    bmp.width = int(bmp.U32(18));
    bmp.height = int(bmp.U32(22));
    for (int i = 0; i < 256; ++i) {
        const size_t at = 54 + size_t(i) * 4;
        bmp.colours[i] = {bmp.bytes[at + 2], bmp.bytes[at + 1], bmp.bytes[at]};
    }
    const size_t need = 1078 + size_t(bmp.width) * bmp.height;
    if (bmp.width <= 0 || bmp.height <= 0 || bmp.bytes.size() < need) {
        return bmp;
    }
    bmp.pixels.resize(size_t(bmp.width) * bmp.height);
    for (int y = 0; y < bmp.height; ++y) {
        const uint8_t* row = &bmp.bytes[1078 + size_t(bmp.height - 1 - y) * bmp.width];
        std::copy(row, row + bmp.width, bmp.pixels.begin() + size_t(y) * bmp.width);
    }
    return bmp;
}
