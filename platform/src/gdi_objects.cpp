#include "gdi_objects.h"

#include <cstring>
#include <new>

#include "ddraw_objects.h"
#include "fault_injection.h"

namespace {

GdiKind KindOf(const void* object) {
    GdiKind kind;
    std::memcpy(&kind, object, sizeof(kind));
    return kind;
}

// What a new memory context shows before a bitmap is selected: one black pixel.
HBITMAP__& StockBitmap() {
    static HBITMAP__ stock = [] {
        HBITMAP__ bitmap;
        bitmap.width = 1;
        bitmap.height = 1;
        bitmap.bitCount = 1;
        bitmap.pixels.assign(1, 0);
        return bitmap;
    }();
    return stock;
}

// Counts which contexts hold a font, so a selected font is not deleted under them.
void HoldFont(HFONT__* font) {
    if (font != GdiStockFont()) {
        ++font->selections;
    }
}

void DropFont(HFONT__* font) {
    if (font != GdiStockFont()) {
        --font->selections;
    }
}

// Fonts, unlike bitmaps, can be in any number of contexts, surface contexts included.
HGDIOBJ SelectFont(HDC__* context, HFONT__* font) {
    HFONT__* previous = context->font;
    if (font != previous) {
        HoldFont(font);
        DropFont(previous);
        context->font = font;
    }
    return previous;
}

}  // namespace

HFONT__* GdiFont(HGDIOBJ object) {
    if (object == nullptr || KindOf(object) != GdiKind::Font) {
        return nullptr;
    }
    return static_cast<HFONT__*>(object);
}

void GdiResetContext(HDC__* context) {
    DropFont(context->font);
    context->font = GdiStockFont();
    context->backgroundMode = OPAQUE;
    context->textColour = RGB(0, 0, 0);
}

HBITMAP__* GdiBitmap(HGDIOBJ object) {
    if (object == nullptr || KindOf(object) != GdiKind::Bitmap) {
        return nullptr;
    }
    return static_cast<HBITMAP__*>(object);
}

HDC__* GdiDeviceContext(HDC dc) {
    if (dc == nullptr || KindOf(dc) != GdiKind::DeviceContext) {
        return nullptr;
    }
    return dc;
}

HDC CreateCompatibleDC(HDC) {
    if (PlatformInjectedFault(PlatformOp::CreateCompatibleDC) != 0) {
        return nullptr;
    }
    HDC__* dc = new (std::nothrow) HDC__();
    if (dc != nullptr) {
        dc->bitmap = &StockBitmap();
    }
    return dc;
}

// A bitmap can be selected into one memory context at a time; a surface's context shows the
// surface and takes no bitmap.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    HDC__* context = GdiDeviceContext(dc);
    if (context != nullptr && GdiFont(object) != nullptr) {
        return SelectFont(context, GdiFont(object));
    }
    HBITMAP__* bitmap = GdiBitmap(object);
    if (context == nullptr || bitmap == nullptr || context->surface != nullptr) {
        return nullptr;
    }
    HBITMAP__* previous = context->bitmap;
    if (bitmap == previous) {
        return previous;
    }
    if (bitmap != &StockBitmap() && bitmap->selections > 0) {
        return nullptr;
    }
    if (previous != nullptr && previous != &StockBitmap()) {
        --previous->selections;
    }
    if (bitmap != &StockBitmap()) {
        ++bitmap->selections;
    }
    context->bitmap = bitmap;
    return previous;
}

BOOL DeleteDC(HDC dc) {
    HDC__* context = GdiDeviceContext(dc);
    if (context == nullptr || context->surface != nullptr) {
        return FALSE;
    }
    if (context->bitmap != nullptr && context->bitmap != &StockBitmap()) {
        --context->bitmap->selections;
    }
    DropFont(context->font);
    context->kind = GdiKind{};
    delete context;
    return TRUE;
}

// As on Windows, a bitmap or font still selected into a context is not deleted; stock objects
// stay.
BOOL DeleteObject(HGDIOBJ object) {
    if (HFONT__* font = GdiFont(object)) {
        if (font->selections > 0) {
            return FALSE;
        }
        if (font != GdiStockFont()) {
            GdiFreeFont(font);
        }
        return TRUE;
    }
    HBITMAP__* bitmap = GdiBitmap(object);
    if (bitmap == nullptr || bitmap->selections > 0) {
        return FALSE;
    }
    if (bitmap == &StockBitmap()) {
        return TRUE;
    }
    bitmap->kind = GdiKind{};
    delete bitmap;
    return TRUE;
}

int GetObjectA(HANDLE object, int bufferSize, LPVOID buffer) {
    HBITMAP__* bitmap = GdiBitmap(object);
    if (bitmap == nullptr) {
        return 0;
    }
    if (buffer == nullptr) {
        return static_cast<int>(sizeof(BITMAP));
    }
    // A caller built for 32-bit Windows passes 24 bytes: everything but the pointer fits.
    if (bufferSize < static_cast<int>(offsetof(BITMAP, bmBits))) {
        return 0;
    }
    BITMAP record = {};
    record.bmType = 0;
    record.bmWidth = bitmap->width;
    record.bmHeight = bitmap->height;
    record.bmWidthBytes = ((bitmap->width * bitmap->bitCount + 31) / 32) * 4;
    record.bmPlanes = 1;
    record.bmBitsPixel = bitmap->bitCount;
    record.bmBits = nullptr;
    const size_t written = bufferSize < static_cast<int>(sizeof(BITMAP))
                               ? static_cast<size_t>(bufferSize)
                               : sizeof(BITMAP);
    std::memcpy(buffer, &record, written);
    return static_cast<int>(written);
}
