// The display: DirectDraw in exclusive full-screen 640x480x8, the flipping primary surface
// with its back buffer, the palette, and one offscreen surface per bitmap.
//
// WinMain calls InitDisplay once after the window exists; the window procedure calls
// ReleaseDisplay on WM_DESTROY and FailInit calls it on a failed start-up. Every drawing
// routine reaches the screen through these globals: all drawing goes to gBackSurface.
#pragma once

#include <ddraw.h>
#include <windows.h>

extern LPDIRECTDRAW7 gDirectDraw;
extern LPDIRECTDRAWSURFACE7 gPrimarySurface;
extern LPDIRECTDRAWSURFACE7 gBackSurface;  // belongs to the primary's chain; never released alone
extern LPDIRECTDRAWPALETTE gPalette;
extern LPDIRECTDRAWSURFACE7 gBackImageSurface;  // BACKIMG, no colour key
extern LPDIRECTDRAWSURFACE7 gStringsSurface;    // STRINGS, the bitmap font, keyed
extern LPDIRECTDRAWSURFACE7 gTitleSurface;      // TITLE, keyed
extern LPDIRECTDRAWSURFACE7 gCharSurface;       // CHAR, the sprite sheet, keyed on its top-left

// The four bitmaps, by the names the loaders look them up with.
extern const char kBackImageName[];  // "BACKIMG"
extern const char kStringsName[];    // "STRINGS"
extern const char kTitleName[];      // "TITLE"
extern const char kCharName[];       // "CHAR"

// Takes over the display and loads everything that is drawn with, logging each step. On the
// first failing step, reports it through FailInit and returns that non-zero code.
HRESULT InitDisplay(HWND window);

// Releases every display object and nulls its global; safe to call any number of times.
void ReleaseDisplay();
