// GDI services: bitmaps, device contexts, pixels and text.
#pragma once

#include <windef.h>

#define WHITE_BRUSH 0

HGDIOBJ GetStockObject(int object);
#define SRCCOPY (DWORD)0x00CC0020
#define BI_RGB 0L

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};
typedef PALETTEENTRY* LPPALETTEENTRY;

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
typedef BITMAPINFOHEADER* LPBITMAPINFOHEADER;
static_assert(sizeof(BITMAPINFOHEADER) == 40, "the header is read straight from files");

// As on Windows: 24 bytes on 32-bit systems, 32 on 64-bit ones (bmBits is a pointer).
struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};
typedef BITMAP* LPBITMAP;

// Bitmaps and device contexts. A memory context (CreateCompatibleDC) shows the bitmap selected
// into it; a surface's context (IDirectDrawSurface7::GetDC) shows the surface's palette indices
// through the display palette, and colours written into it become the nearest palette entry.
int GetObjectA(HANDLE object, int bufferSize, LPVOID buffer);
BOOL DeleteObject(HGDIOBJ object);
HDC CreateCompatibleDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteDC(HDC dc);
// SRCCOPY only; the source area is scaled to the destination area, nearest pixel.
BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop);
COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);

// Text in a system font. On a surface's context the text is drawn in the display palette's
// entry nearest the text colour; TRANSPARENT leaves the pixels around the strokes untouched.

struct HFONT__;
typedef HFONT__* HFONT;

#define LF_FACESIZE 32
#define FW_NORMAL 400
#define SHIFTJIS_CHARSET 128
#define TRANSPARENT 1
#define OPAQUE 2

struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};

HFONT CreateFontIndirectA(const LOGFONTA* description);
int SetBkMode(HDC dc, int mode);
COLORREF SetTextColor(HDC dc, COLORREF colour);
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
