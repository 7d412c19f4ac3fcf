#include "indexed_image.h"

#include "byte_output.h"

bool WriteBitmapFile(const std::string& path, const IndexedImage& image,
                     const ColourTable& colours) {
    const uint32_t pixelBytes = uint32_t(image.width) * uint32_t(image.height);
    const uint32_t headerBytes = 14 + 40 + 256 * 4;
    std::vector<uint8_t> out;
    out.reserve(headerBytes + pixelBytes);

    out.push_back('B');
    out.push_back('M');
    PutU32(out, headerBytes + pixelBytes);
    PutU32(out, 0);  // two reserved words
    PutU32(out, headerBytes);

    PutU32(out, 40);
    PutU32(out, uint32_t(image.width));
    PutU32(out, uint32_t(image.height));  // positive: bottom row first
    PutU16(out, 1);
    PutU16(out, 8);
    PutU32(out, 0);  // uncompressed
    PutU32(out, pixelBytes);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);  // all 256 colours
    PutU32(out, 0);

    for (const Rgb& c : colours) {
        out.push_back(uint8_t(c.b));
        out.push_back(uint8_t(c.g));
        out.push_back(uint8_t(c.r));
        out.push_back(0);
    }
    // Widths are multiples of 4, so rows need no padding.
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = &image.pixels[size_t(y) * image.width];
        out.insert(out.end(), row, row + image.width);
    }

    return WriteBytesToFile(path, out);
}
