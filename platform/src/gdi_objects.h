// The GDI objects behind HBITMAP, HFONT and HDC, and the display palette they convert colours
// with.
//
// A bitmap always holds one palette index per pixel, top row first, with its own colour table
// (4-bit pictures are widened on loading). A font is only its description: the face behind it
// is found when text is drawn (font_rasterizer.h). A device context is either a memory context
// showing the bitmap selected into it, or a surface's own context, made with the surface,
// showing its palette indices through the display palette; either kind holds a font and the
// text drawing state.
#pragma once

#include <cstdint>
#include <vector>

#include <windows.h>

class SoftwareSurface;

enum class GdiKind : uint32_t {
    Bitmap = 0x5a424d50,
    DeviceContext = 0x5a44435f,
    Font = 0x5a464e54,
};

struct HBITMAP__ {
    GdiKind kind = GdiKind::Bitmap;
    int width = 0;
    int height = 0;
    WORD bitCount = 8;            // of the picture it was loaded from
    std::vector<uint8_t> pixels;  // width * height indices, top row first
    RGBQUAD colours[256] = {};
    int selections = 0;  // memory contexts it is selected into
};

struct HFONT__ {
    GdiKind kind = GdiKind::Font;
    LOGFONTA description = {};
    int selections = 0;  // contexts it is selected into
};

// The font every context starts with; it is never freed.
HFONT__* GdiStockFont();

struct HDC__ {
    GdiKind kind = GdiKind::DeviceContext;
    SoftwareSurface* surface = nullptr;  // a surface's own context
    HBITMAP__* bitmap = nullptr;         // a memory context's selected bitmap, if any
    HFONT__* font = GdiStockFont();
    int backgroundMode = OPAQUE;
    COLORREF textColour = RGB(0, 0, 0);
};

// The handles' objects, or null when the handle is null or of another kind.
HBITMAP__* GdiBitmap(HGDIOBJ object);
HFONT__* GdiFont(HGDIOBJ object);
HDC__* GdiDeviceContext(HDC dc);

// Gives a font made by CreateFontIndirectA back; false for the stock font.
bool GdiFreeFont(HFONT__* font);
// Puts a context back to its first state: the stock font (the one it held is no longer
// selected), opaque background, black text. A surface's context gets this on ReleaseDC, as each
// GetDC hands out a fresh context.
void GdiResetContext(HDC__* context);

// The pixels a context draws on: a surface's (through the display palette, only while its
// context is handed out) or its selected bitmap's (through the bitmap's colour table).
struct GdiCanvas {
    uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    size_t pitch = 0;
    PALETTEENTRY palette[256];
};
bool OpenGdiCanvas(HDC dc, GdiCanvas* canvas);

// The palette set on the primary surface, or a fixed default before there is one.
const PALETTEENTRY* PlatformDisplayPalette();

// Index of the entry nearest (red, green, blue) by squared distance; the lowest index wins ties.
uint8_t NearestPaletteIndex(const PALETTEENTRY* palette, BYTE red, BYTE green, BYTE blue);
