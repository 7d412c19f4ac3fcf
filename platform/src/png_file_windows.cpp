// PNG files through Windows' own GDI+ encoder, in the modern Windows program (no libpng there).
// Compiled against the real Windows headers.
#include <windows.h>

#include <gdiplus.h>

#include <vector>

#include "png_file.h"

namespace {

// GDI+'s built-in PNG encoder.
const CLSID kPngEncoder = {
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

std::wstring WidePath(const char* path) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
    std::wstring wide(size > 0 ? static_cast<size_t>(size) : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path, -1, wide.data(), size);
    return wide;
}

}  // namespace

bool WriteRgbPng(const char* path, const uint8_t* rgb, int width, int height, std::string& error) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        error = "GDI+ did not start";
        return false;
    }
    // GDI+'s 24-bit pixels are blue, green, red, in rows padded to four bytes.
    const int pitch = (width * 3 + 3) / 4 * 4;
    std::vector<BYTE> pixels(static_cast<size_t>(pitch) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* from = rgb + (static_cast<size_t>(y) * width + x) * 3;
            BYTE* to = &pixels[static_cast<size_t>(y) * pitch + x * 3];
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    Gdiplus::Status status;
    {
        Gdiplus::Bitmap bitmap(width, height, pitch, PixelFormat24bppRGB, pixels.data());
        status = bitmap.Save(WidePath(path).c_str(), &kPngEncoder, nullptr);
    }
    Gdiplus::GdiplusShutdown(token);
    if (status != Gdiplus::Ok) {
        error = "GDI+ could not write it (status " + std::to_string(status) + ")";
        return false;
    }
    return true;
}
