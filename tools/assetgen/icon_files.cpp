#include "icon_files.h"

#include <png.h>

#include <cstdio>

#include "byte_output.h"

namespace {

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// BITMAPINFOHEADER of a 32-bit uncompressed picture; `storedHeight` is negative for rows top
// first and doubled in icons, where the mask follows the colours.
void PutInfoHeader(std::vector<uint8_t>& out, int width, int storedHeight, uint32_t imageBytes) {
    PutU32(out, 40);
    PutU32(out, uint32_t(width));
    PutU32(out, uint32_t(storedHeight));
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, 0);  // uncompressed
    PutU32(out, imageBytes);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
}

void PutBgraRow(std::vector<uint8_t>& out, const RgbaImage& image, int y) {
    for (int x = 0; x < image.width; ++x) {
        const uint8_t* p = image.At(x, y);
        out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
}

// An icon's bitmap image: header, colours bottom row first, then the 1-bit mask (set where
// the picture is transparent), each mask row padded to four bytes.
std::vector<uint8_t> IconBitmap(const RgbaImage& image) {
    const int maskRowBytes = (image.width + 31) / 32 * 4;
    std::vector<uint8_t> out;
    PutInfoHeader(out, image.width, image.height * 2,
                  uint32_t(image.width * image.height * 4 + maskRowBytes * image.height));
    for (int y = image.height - 1; y >= 0; --y) {
        PutBgraRow(out, image, y);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(size_t(maskRowBytes), 0);
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y)[3] == 0) {
                row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<uint8_t> EncodePng(const RgbaImage& image) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendToVector, nullptr);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        png_write_row(png, image.At(0, y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool WritePngFile(const std::string& path, const RgbaImage& image) {
    const std::vector<uint8_t> bytes = EncodePng(image);
    if (bytes.empty()) {
        std::fprintf(stderr, "cannot encode %s\n", path.c_str());
        return false;
    }
    return WriteBytesToFile(path, bytes);
}

bool WriteIcoFile(const std::string& path, const std::vector<RgbaImage>& images) {
    std::vector<std::vector<uint8_t>> data;
    for (const RgbaImage& image : images) {
        data.push_back(image.width > 64 ? EncodePng(image) : IconBitmap(image));
        if (data.back().empty()) {
            std::fprintf(stderr, "cannot encode %s\n", path.c_str());
            return false;
        }
    }
    std::vector<uint8_t> out;
    PutU16(out, 0);
    PutU16(out, 1);  // an icon, not a cursor
    PutU16(out, uint32_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].width & 0xFF));  // 256 is stored as 0
        out.push_back(uint8_t(images[i].height & 0xFF));
        out.push_back(0);  // no colour table
        out.push_back(0);
        PutU16(out, 1);
        PutU16(out, 32);
        PutU32(out, uint32_t(data[i].size()));
        PutU32(out, offset);
        offset += uint32_t(data[i].size());
    }
    for (const std::vector<uint8_t>& bytes : data) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return WriteBytesToFile(path, out);
}

bool WriteRgbaBitmapFile(const std::string& path, const RgbaImage& image) {
    const uint32_t pixelBytes = uint32_t(image.width * image.height * 4);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutU32(out, 14 + 40 + pixelBytes);
    PutU32(out, 0);
    PutU32(out, 14 + 40);
    PutInfoHeader(out, image.width, -image.height, pixelBytes);
    for (int y = 0; y < image.height; ++y) {
        PutBgraRow(out, image, y);
    }
    return WriteBytesToFile(path, out);
}
