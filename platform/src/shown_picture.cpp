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
};
ShownPicture gShown;

bool SameIndices(const uint8_t* pixels, int pitch) {
    const size_t rowBytes = static_cast<size_t>(gShown.width);
    if (static_cast<size_t>(pitch) == rowBytes) {
        return std::memcmp(gShown.indices.data(), pixels, gShown.indices.size()) == 0;
    }
    for (int y = 0; y < gShown.height; ++y) {
        if (std::memcmp(gShown.indices.data() + y * rowBytes,
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
}

}  // namespace

void PlatformPrepareShownPicture(int width, int height) {
    gShown.indices.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    gShown.width = width;
    gShown.height = height;
    gShown.valid = false;
    gShown.everShown = false;
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

bool PlatformPictureChanged(const uint8_t* pixels, int width, int height, int pitch,
                            const BackendColor palette[256]) {
    const bool same = gShown.valid && gShown.width == width && gShown.height == height &&
                      std::memcmp(gShown.palette, palette, sizeof(gShown.palette)) == 0 &&
                      SameIndices(pixels, pitch);
    if (!same) {
        Remember(pixels, width, height, pitch, palette);
    }
    return !same;
}
