#include <cstring>

#include "ddraw_objects.h"
#include "gdi_objects.h"

namespace {

void PaletteFromColourTable(const RGBQUAD* colours, PALETTEENTRY* palette) {
    for (int i = 0; i < 256; ++i) {
        palette[i] = PALETTEENTRY{colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
    }
}

bool Contains(const GdiCanvas& canvas, int x, int y) {
    return x >= 0 && y >= 0 && x < canvas.width && y < canvas.height;
}

}  // namespace

// A surface's context draws only while it is handed out; a memory context needs a bitmap.
bool OpenGdiCanvas(HDC dc, GdiCanvas* canvas) {
    HDC__* context = GdiDeviceContext(dc);
    if (context == nullptr) {
        return false;
    }
    if (context->surface != nullptr) {
        SoftwareSurface& surface = *context->surface;
        if (!surface.dcOut()) {
            return false;
        }
        canvas->pixels = surface.pixels();
        canvas->width = surface.width();
        canvas->height = surface.height();
        canvas->pitch = static_cast<size_t>(surface.pitch());
        std::memcpy(canvas->palette, PlatformDisplayPalette(), sizeof(canvas->palette));
        return true;
    }
    HBITMAP__* bitmap = context->bitmap;
    if (bitmap == nullptr || bitmap->pixels.empty()) {
        return false;
    }
    canvas->pixels = bitmap->pixels.data();
    canvas->width = bitmap->width;
    canvas->height = bitmap->height;
    canvas->pitch = static_cast<size_t>(bitmap->width);
    PaletteFromColourTable(bitmap->colours, canvas->palette);
    return true;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    GdiCanvas canvas;
    if (!OpenGdiCanvas(dc, &canvas) || !Contains(canvas, x, y)) {
        return CLR_INVALID;
    }
    const PALETTEENTRY& entry = canvas.palette[canvas.pixels[y * canvas.pitch + x]];
    return RGB(entry.peRed, entry.peGreen, entry.peBlue);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    GdiCanvas canvas;
    if (!OpenGdiCanvas(dc, &canvas) || !Contains(canvas, x, y)) {
        return CLR_INVALID;
    }
    const uint8_t index = NearestPaletteIndex(canvas.palette, GetRValue(colour), GetGValue(colour),
                                              GetBValue(colour));
    canvas.pixels[y * canvas.pitch + x] = index;
    const PALETTEENTRY& entry = canvas.palette[index];
    return RGB(entry.peRed, entry.peGreen, entry.peBlue);
}

// Each source colour is matched to the destination's palette once, into a 256-entry table;
// the pixels then go through the table. The source area is scaled to the destination area by
// taking the nearest source pixel; pixels falling outside either picture are left alone.
BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    HDC__* sourceContext = GdiDeviceContext(source);
    if (rop != SRCCOPY || sourceContext == nullptr || sourceContext->surface != nullptr ||
        width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) {
        return FALSE;
    }
    GdiCanvas from;
    GdiCanvas to;
    if (!OpenGdiCanvas(source, &from) || !OpenGdiCanvas(destination, &to)) {
        return FALSE;
    }
    uint8_t lookup[256];
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& colour = from.palette[i];
        lookup[i] = NearestPaletteIndex(to.palette, colour.peRed, colour.peGreen, colour.peBlue);
    }
    const int64_t left = x < 0 ? 0 : x;
    const int64_t top = y < 0 ? 0 : y;
    const int64_t right = int64_t{x} + width < to.width ? int64_t{x} + width : to.width;
    const int64_t bottom = int64_t{y} + height < to.height ? int64_t{y} + height : to.height;
    for (int64_t row = top; row < bottom; ++row) {
        const int64_t fromY = sourceY + (row - y) * sourceHeight / height;
        if (fromY < 0 || fromY >= from.height) {
            continue;
        }
        const uint8_t* fromRow = from.pixels + static_cast<size_t>(fromY) * from.pitch;
        uint8_t* toRow = to.pixels + static_cast<size_t>(row) * to.pitch;
        for (int64_t column = left; column < right; ++column) {
            const int64_t fromX = sourceX + (column - x) * sourceWidth / width;
            if (fromX >= 0 && fromX < from.width) {
                toRow[column] = lookup[fromRow[fromX]];
            }
        }
    }
    return TRUE;
}
