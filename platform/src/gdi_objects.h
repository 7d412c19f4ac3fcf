// The GDI objects behind HBITMAP and HDC, and the display palette they convert colours with.
//
// A bitmap always holds one palette index per pixel, top row first, with its own colour table
// (4-bit pictures are widened on loading). A device context is either a memory context showing
// the bitmap selected into it, or a surface's own context, made with the surface, showing its
// palette indices through the display palette.
#pragma once

#include <cstdint>
#include <vector>

#include <windows.h>

class SoftwareSurface;

enum class GdiKind : uint32_t { Bitmap = 0x5a424d50, DeviceContext = 0x5a44435f };

struct HBITMAP__ {
    GdiKind kind = GdiKind::Bitmap;
    int width = 0;
    int height = 0;
    WORD bitCount = 8;            // of the picture it was loaded from
    std::vector<uint8_t> pixels;  // width * height indices, top row first
    RGBQUAD colours[256] = {};
    int selections = 0;  // memory contexts it is selected into
};

struct HDC__ {
    GdiKind kind = GdiKind::DeviceContext;
    SoftwareSurface* surface = nullptr;  // a surface's own context
    HBITMAP__* bitmap = nullptr;         // a memory context's selected bitmap, if any
};

// The handles' objects, or null when the handle is null or of another kind.
HBITMAP__* GdiBitmap(HGDIOBJ object);
HDC__* GdiDeviceContext(HDC dc);

// The palette set on the primary surface, or a fixed default before there is one.
const PALETTEENTRY* PlatformDisplayPalette();

// Index of the entry nearest (red, green, blue) by squared distance; the lowest index wins ties.
uint8_t NearestPaletteIndex(const PALETTEENTRY* palette, BYTE red, BYTE green, BYTE blue);
