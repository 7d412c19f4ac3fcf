#include "dib_parse.h"

#include <cstring>
#include <new>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint64_t kMaxBitmapPixels = uint64_t{64} << 20;

uint16_t ReadU16(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

uint32_t ReadU32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

// Files carry the plain, V4 or V5 header; a resource any header of at least 40 bytes, with the
// colour table right behind it.
bool AcceptsHeaderSize(uint32_t headerSize, DibSource source) {
    if (source == DibSource::File) {
        return headerSize == 40 || headerSize == 108 || headerSize == 124;
    }
    return headerSize >= kInfoHeaderSize;
}

}  // namespace

bool ParseDib(const uint8_t* data, size_t size, DibSource source, DibView* view) {
    if (data == nullptr || view == nullptr) {
        return false;
    }
    uint64_t infoStart = 0;
    uint64_t pixelOffset = 0;
    if (source == DibSource::File) {
        if (size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M') {
            return false;
        }
        pixelOffset = ReadU32(data + 10);
        infoStart = kFileHeaderSize;
    }
    if (infoStart + kInfoHeaderSize > size) {
        return false;
    }
    const uint8_t* info = data + infoStart;
    const uint32_t headerSize = ReadU32(info);
    const int64_t width = static_cast<int32_t>(ReadU32(info + 4));
    const int64_t height = static_cast<int32_t>(ReadU32(info + 8));
    const uint16_t bitCount = ReadU16(info + 14);
    const uint32_t compression = ReadU32(info + 16);
    const uint32_t coloursUsed = ReadU32(info + 32);
    if (!AcceptsHeaderSize(headerSize, source) || infoStart + headerSize > size) {
        return false;
    }
    const int64_t rows = height < 0 ? -height : height;
    if (width <= 0 || width > kMaxDibSide || rows == 0 || rows > kMaxDibSide) {
        return false;
    }
    if ((bitCount != 4 && bitCount != 8) || compression != BI_RGB || coloursUsed > 256) {
        return false;
    }
    const uint32_t colourCount = coloursUsed != 0 ? coloursUsed : (1u << bitCount);
    const uint64_t tableStart = infoStart + headerSize;
    const uint64_t tableEnd = tableStart + uint64_t{colourCount} * 4;
    if (tableEnd > size) {
        return false;
    }
    if (source == DibSource::Resource || pixelOffset == 0) {
        pixelOffset = tableEnd;
    }
    if (pixelOffset < infoStart + headerSize) {
        return false;
    }
    const uint64_t stride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
    if (pixelOffset > size || stride * static_cast<uint64_t>(rows) > size - pixelOffset) {
        return false;
    }
    view->width = static_cast<int>(width);
    view->height = static_cast<int>(rows);
    view->topDown = height < 0;
    view->bitCount = bitCount;
    view->colours = data + tableStart;
    view->colourCount = colourCount;
    view->pixels = data + pixelOffset;
    view->stride = static_cast<size_t>(stride);
    return true;
}

HBITMAP__* BuildBitmap(const DibView& view, int width, int height) {
    if (width == 0) {
        width = view.width;
    }
    if (height == 0) {
        height = view.height;
    }
    if (width < 0 || height < 0 || width > kMaxDibSide || height > kMaxDibSide ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxBitmapPixels) {
        return nullptr;
    }
    HBITMAP__* bitmap = new (std::nothrow) HBITMAP__();
    if (bitmap == nullptr) {
        return nullptr;
    }
    try {
        bitmap->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    } catch (const std::bad_alloc&) {
        delete bitmap;
        return nullptr;
    }
    bitmap->width = width;
    bitmap->height = height;
    bitmap->bitCount = static_cast<WORD>(view.bitCount);
    std::memcpy(bitmap->colours, view.colours, view.colourCount * sizeof(RGBQUAD));
    for (int y = 0; y < height; ++y) {
        const int sourceY = static_cast<int>(static_cast<int64_t>(y) * view.height / height);
        const int storedRow = view.topDown ? sourceY : view.height - 1 - sourceY;
        const uint8_t* row = view.pixels + static_cast<size_t>(storedRow) * view.stride;
        uint8_t* out = bitmap->pixels.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const int sourceX = static_cast<int>(static_cast<int64_t>(x) * view.width / width);
            if (view.bitCount == 8) {
                out[x] = row[sourceX];
            } else {
                const uint8_t pair = row[sourceX / 2];
                out[x] = (sourceX & 1) ? (pair & 0x0F) : (pair >> 4);
            }
        }
    }
    return bitmap;
}
