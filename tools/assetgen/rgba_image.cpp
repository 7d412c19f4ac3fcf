#include "rgba_image.h"

#include <algorithm>

namespace {

// How much of source pixel `s` (each `sourceUnit` long) lies under output pixel `o` (each
// `outputUnit` long), on a grid where both rows span the same length.
int Overlap(int o, int outputUnit, int s, int sourceUnit) {
    const int from = std::max(o * outputUnit, s * sourceUnit);
    const int to = std::min((o + 1) * outputUnit, (s + 1) * sourceUnit);
    return std::max(to - from, 0);
}

uint8_t RoundedQuotient(uint64_t sum, uint64_t divisor) {
    return uint8_t((sum + divisor / 2) / divisor);
}

}  // namespace

RgbaImage ResampleSquare(const RgbaImage& source, int size) {
    // Source pixels are `size` units long and output pixels `source.width` units, so both
    // rows are size * source.width units.
    const int sourceUnit = size, outputUnit = source.width;
    const int scale = source.width / size + 2;  // source pixels one output pixel can touch
    RgbaImage out(size, size);
    for (int oy = 0; oy < size; ++oy) {
        for (int ox = 0; ox < size; ++ox) {
            uint64_t alpha = 0, red = 0, green = 0, blue = 0;
            const int firstX = ox * outputUnit / sourceUnit, firstY = oy * outputUnit / sourceUnit;
            for (int sy = firstY; sy < firstY + scale && sy < source.height; ++sy) {
                const int wy = Overlap(oy, outputUnit, sy, sourceUnit);
                for (int sx = firstX; sx < firstX + scale && sx < source.width; ++sx) {
                    const uint64_t weight = uint64_t(wy) * Overlap(ox, outputUnit, sx, sourceUnit);
                    const uint8_t* p = source.At(sx, sy);
                    const uint64_t a = weight * p[3];
                    alpha += a;
                    red += a * p[0];
                    green += a * p[1];
                    blue += a * p[2];
                }
            }
            uint8_t* q = out.At(ox, oy);
            q[3] = RoundedQuotient(alpha, uint64_t(outputUnit) * outputUnit);
            if (alpha > 0) {
                q[0] = RoundedQuotient(red, alpha);
                q[1] = RoundedQuotient(green, alpha);
                q[2] = RoundedQuotient(blue, alpha);
            }
        }
    }
    return out;
}
