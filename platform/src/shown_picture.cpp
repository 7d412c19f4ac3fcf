#include "shown_picture.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

struct ShownPicture {
    std::vector<uint8_t> indices;  // width * height, rows without padding
    BackendColor palette[256] = {};
    int width = 0;
    int height = 0;
    bool valid = false;  // false until the first present, and after a repaint was asked for
    bool everShown = false;
    uint64_t number = 1;
};
ShownPicture gShown;

bool SameIndices(const uint8_t* pixels, int pitch, const uint8_t* rowsToCompare) {
    const size_t rowBytes = static_cast<size_t>(gShown.width);
    if (static_cast<size_t>(pitch) == rowBytes && rowsToCompare == nullptr) {
        return std::memcmp(gShown.indices.data(), pixels, gShown.indices.size()) == 0;
    }
    for (int y = 0; y < gShown.height; ++y) {
        if ((rowsToCompare == nullptr || rowsToCompare[y] != 0) &&
            std::memcmp(gShown.indices.data() + y * rowBytes,
                        pixels + static_cast<size_t>(y) * pitch, rowBytes) != 0) {
            return false;
        }
    }
    return true;
}

void Remember(const uint8_t* pixels, int width, int height, int pitch,
              const BackendColor palette[256]) {
    const size_t rowBytes = static_cast<size_t>(width);
    gShown.indices.resize(rowBytes * static_cast<size_t>(height));  // no-op once prepared
    for (int y = 0; y < height; ++y) {
        std::memcpy(gShown.indices.data() + y * rowBytes, pixels + static_cast<size_t>(y) * pitch,
                    rowBytes);
    }
    std::memcpy(gShown.palette, palette, sizeof(gShown.palette));
    gShown.width = width;
    gShown.height = height;
    gShown.valid = true;
    gShown.everShown = true;
    ++gShown.number;
}

}  // namespace

void PlatformPrepareShownPicture(int width, int height) {
    gShown.indices.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    gShown.width = width;
    gShown.height = height;
    gShown.valid = false;
    gShown.everShown = false;
    ++gShown.number;
}

PlatformPicture PlatformShownPicture() {
    if (!gShown.everShown) {
        return PlatformPicture{nullptr, nullptr, 0, 0};
    }
    return PlatformPicture{gShown.indices.data(), gShown.palette, gShown.width, gShown.height};
}

void PlatformRepaintNeeded() {
    gShown.valid = false;
}

uint64_t PlatformShownPictureNumber() {
    return gShown.number;
}

bool PlatformPictureChanged(const uint8_t* pixels, int width, int height, int pitch,
                            const BackendColor palette[256], const uint8_t* rowsToCompare) {
    const bool same = gShown.valid && gShown.width == width && gShown.height == height &&
                      std::memcmp(gShown.palette, palette, sizeof(gShown.palette)) == 0 &&
                      SameIndices(pixels, pitch, rowsToCompare);
    if (!same) {
        Remember(pixels, width, height, pitch, palette);
    }
    return !same;
}
