// The latest presented picture as a PNG file, for screenshots and for looking at what a test
// saw.
#include <string>
#include <vector>

#include "../src/png_file.h"
#include "headless.h"

bool HeadlessWritePresentedPng(const char* path) {
    const int width = HeadlessPresentedWidth();
    const int height = HeadlessPresentedHeight();
    const std::vector<uint8_t>& rgb = HeadlessPresentedRgb();
    if (width <= 0 || height <= 0 || rgb.size() < size_t(width) * height * 3) {
        return false;
    }
    std::string error;
    return WriteRgbPng(path, rgb.data(), width, height, error);
}
