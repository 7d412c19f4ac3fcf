// Reading device-independent bitmaps from untrusted bytes.
//
// LoadImageA hands every bitmap to ParseDib before it touches a pixel: the bytes of an embedded
// resource (header, colour table, pixels) or of a whole BMP file. ParseDib reads only inside
// `size`, accepts only what the program can show, and never allocates; BuildBitmap then makes a
// bitmap whose size is bounded by the bytes given.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gdi_objects.h"

enum class DibSource { Resource, File };

struct DibView {
    int width = 0;
    int height = 0;  // rows, always positive
    bool topDown = false;
    int bitCount = 0;                  // 4 or 8
    const uint8_t* colours = nullptr;  // colourCount RGBQUADs
    uint32_t colourCount = 0;
    const uint8_t* pixels = nullptr;  // the first stored row
    size_t stride = 0;                // bytes from one stored row to the next
};

constexpr int kMaxDibSide = 16384;

// False for anything short, truncated, lying about its sizes, or in a format other than
// uncompressed 4 or 8 bits with at most 256 colours and sides of 1 to 16384.
bool ParseDib(const uint8_t* data, size_t size, DibSource source, DibView* view);

// A bitmap of `width` x `height` (0: the picture's own) holding the picture scaled to it, or
// null when that size is out of range or memory runs out.
HBITMAP__* BuildBitmap(const DibView& view, int width, int height);
