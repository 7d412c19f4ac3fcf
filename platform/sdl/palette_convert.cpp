#include "palette_convert.h"

#include <cstddef>

void ConvertPalettedPicture(const uint8_t* pixels, int width, int height, int pitch,
                            const BackendColor palette[256], void* texels, int texturePitch) {
    uint32_t lookup[256];
    for (int i = 0; i < 256; ++i) {
        lookup[i] = 0xFF000000u | (uint32_t(palette[i].red) << 16) |
                    (uint32_t(palette[i].green) << 8) | palette[i].blue;
    }
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = pixels + static_cast<ptrdiff_t>(y) * pitch;
        uint32_t* target = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(texels) +
                                                       static_cast<ptrdiff_t>(y) * texturePitch);
        for (int x = 0; x < width; ++x) {
            target[x] = lookup[source[x]];
        }
    }
}
