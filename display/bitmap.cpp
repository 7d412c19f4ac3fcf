#include "display/bitmap.h"

#include <cstring>

namespace {

constexpr int kPaletteSize = 256;
constexpr DWORD kInfoHeaderSize = 40;
constexpr UINT kFileHeaderSize = 14;

// The program's own resource first, then a file at that path.
HBITMAP FindBitmap(LPCSTR name, int width, int height) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP,
                                                     width, height, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, name, IMAGE_BITMAP, width, height,
                                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    }
    return bitmap;
}

// Colours a bitmap header promises: none above 8 bits per pixel, and never more than the
// 256-entry table holds, whatever biClrUsed claims.
DWORD ColourCount(const BITMAPINFOHEADER& header) {
    if (header.biBitCount > 8) {
        return 0;
    }
    DWORD count = header.biClrUsed != 0 ? header.biClrUsed : (1u << header.biBitCount);
    return count > kPaletteSize ? kPaletteSize : count;
}

void FillDefaultPalette(PALETTEENTRY* palette) {
    for (int i = 0; i < kPaletteSize; ++i) {
        palette[i].peRed = static_cast<BYTE>(((i >> 5) & 7) * 255 / 7);
        palette[i].peGreen = static_cast<BYTE>(((i >> 2) & 7) * 255 / 7);
        palette[i].peBlue = static_cast<BYTE>((i & 3) * 255 / 3);
        palette[i].peFlags = 0;
    }
}

// A resource is taken with any header of 40 bytes or more, its colour table right behind the
// header; the colours read stop at the end of the resource.
void ReadResourcePalette(HRSRC resource, PALETTEENTRY* palette) {
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)));
    if (bytes == nullptr) {
        OutputDebugStringA("lock resource failed\n");
        return;
    }
    const DWORD size = SizeofResource(nullptr, resource);
    if (size < kInfoHeaderSize) {
        return;
    }
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes, sizeof(header));
    if (header.biSize < kInfoHeaderSize || header.biSize > size) {
        return;
    }
    DWORD count = ColourCount(header);
    const DWORD fits = (size - header.biSize) / sizeof(RGBQUAD);
    if (count > fits) {
        count = fits;
    }
    const BYTE* table = bytes + header.biSize;
    for (DWORD i = 0; i < count; ++i) {
        RGBQUAD colour;
        std::memcpy(&colour, table + i * sizeof(RGBQUAD), sizeof(colour));
        palette[i].peRed = colour.rgbRed;
        palette[i].peGreen = colour.rgbGreen;
        palette[i].peBlue = colour.rgbBlue;
        palette[i].peFlags = 0;
    }
}

// A file is taken only with the plain 40-byte header; its 1024 bytes at offset 54 land in the
// table as they are, and the promised colours then have red and blue exchanged. The table is
// read straight into PALETTEENTRY order on purpose: a file's RGBQUAD is blue, green, red,
// reserved, so the swap makes the colours right, and the entries past the promised count keep
// the file's bytes unswapped, as the loader has always shown them. The flags byte is the
// file's reserved byte.
void ReadFilePalette(HFILE file, PALETTEENTRY* palette) {
    BYTE fileHeader[kFileHeaderSize];
    BITMAPINFOHEADER header = {};
    _lread(file, fileHeader, sizeof(fileHeader));
    _lread(file, &header, sizeof(header));
    _lread(file, palette, sizeof(PALETTEENTRY) * kPaletteSize);
    _lclose(file);
    const DWORD count = header.biSize == kInfoHeaderSize ? ColourCount(header) : 0;
    for (DWORD i = 0; i < count; ++i) {
        BYTE blue = palette[i].peRed;
        palette[i].peRed = palette[i].peBlue;
        palette[i].peBlue = blue;
    }
}

DDSURFACEDESC2 EmptyDesc() {
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = sizeof(desc);
    return desc;
}

}  // namespace

IDirectDrawSurface7* DDLoadBitmap(IDirectDraw7* directDraw, LPCSTR name, int width, int height) {
    HBITMAP bitmap = FindBitmap(name, width, height);
    if (bitmap == nullptr) {
        return nullptr;
    }
    BITMAP info;
    GetObjectA(bitmap, sizeof(info), &info);

    DDSURFACEDESC2 desc = EmptyDesc();
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = info.bmWidth;
    desc.dwHeight = info.bmHeight;
    IDirectDrawSurface7* surface = nullptr;
    if (directDraw->CreateSurface(&desc, &surface, nullptr) != DD_OK) {
        DeleteObject(bitmap);
        return nullptr;
    }
    // A failed copy still gives the surface: a later reload fills it.
    DDCopyBitmap(surface, bitmap, 0, 0, 0, 0);
    DeleteObject(bitmap);
    return surface;
}

HRESULT DDReloadBitmap(IDirectDrawSurface7* surface, LPCSTR name) {
    HBITMAP bitmap = FindBitmap(name, 0, 0);
    if (bitmap == nullptr) {
        OutputDebugStringA("handle is null\n");
        return E_FAIL;
    }
    HRESULT result = DDCopyBitmap(surface, bitmap, 0, 0, 0, 0);
    if (result != DD_OK) {
        OutputDebugStringA("ddcopybitmap failed\n");
    }
    DeleteObject(bitmap);
    return result;
}

HRESULT DDCopyBitmap(IDirectDrawSurface7* surface, HBITMAP bitmap, int x, int y, int width,
                     int height) {
    if (bitmap == nullptr || surface == nullptr) {
        return E_FAIL;
    }
    surface->Restore();
    HDC image = CreateCompatibleDC(nullptr);
    if (image == nullptr) {
        // Without a memory context nothing could be copied: say so rather than report DD_OK.
        OutputDebugStringA("createcompatible dc failed\n");
        return E_FAIL;
    }
    SelectObject(image, bitmap);

    BITMAP info;
    GetObjectA(bitmap, sizeof(info), &info);
    const int sourceWidth = width != 0 ? width : info.bmWidth;
    const int sourceHeight = height != 0 ? height : info.bmHeight;

    DDSURFACEDESC2 desc = EmptyDesc();
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    surface->GetSurfaceDesc(&desc);

    HDC dc;
    HRESULT result = surface->GetDC(&dc);
    if (result == DD_OK) {
        StretchBlt(dc, 0, 0, desc.dwWidth, desc.dwHeight, image, x, y, sourceWidth, sourceHeight,
                   SRCCOPY);
        surface->ReleaseDC(dc);
    }
    DeleteDC(image);
    return result;
}

IDirectDrawPalette* DDLoadPalette(IDirectDraw7* directDraw, LPCSTR name) {
    PALETTEENTRY palette[kPaletteSize];
    FillDefaultPalette(palette);
    if (name != nullptr) {
        HRSRC resource = FindResourceA(nullptr, name, RT_BITMAP);
        if (resource != nullptr) {
            ReadResourcePalette(resource, palette);
        } else {
            HFILE file = _lopen(name, OF_READ);
            if (file != HFILE_ERROR) {
                ReadFilePalette(file, palette);
            }
        }
    }
    IDirectDrawPalette* result = nullptr;
    if (directDraw->CreatePalette(DDPCAPS_8BIT, palette, &result, nullptr) != DD_OK) {
        return nullptr;
    }
    return result;
}

DWORD DDMatchColor(IDirectDrawSurface7* surface, COLORREF colour) {
    DWORD result = CLR_INVALID;
    COLORREF remembered = CLR_INVALID;
    bool written = false;
    HDC dc;
    if (colour != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        remembered = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
        written = true;
    }

    DDSURFACEDESC2 desc = EmptyDesc();
    HRESULT locked;
    while ((locked = surface->Lock(nullptr, &desc, 0, nullptr)) == DDERR_WASSTILLDRAWING) {
    }
    if (locked == DD_OK) {
        std::memcpy(&result, desc.lpSurface, sizeof(result));
        const DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
        if (bits < 32) {
            result &= (1u << bits) - 1;
        }
        surface->Unlock(nullptr);
    }

    if (written && surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, remembered);
        surface->ReleaseDC(dc);
    }
    return result;
}

HRESULT DDSetSourceKey(IDirectDrawSurface7* surface, COLORREF colour) {
    DDCOLORKEY key;
    key.dwColorSpaceLowValue = DDMatchColor(surface, colour);
    key.dwColorSpaceHighValue = key.dwColorSpaceLowValue;
    return surface->SetColorKey(DDCKEY_SRCBLT, &key);
}
