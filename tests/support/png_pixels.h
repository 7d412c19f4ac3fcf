// A PNG file's pixels as libpng reads them back, for tests of the pictures the program writes.
// Link png_pixels.cpp and libpng into the test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The file's pixels as RGB bytes, row after row, and its size; empty when it is not a readable
// PNG.
std::vector<uint8_t> ReadPngRgb(const std::string& path, int* width, int* height);
