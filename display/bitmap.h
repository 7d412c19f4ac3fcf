// Bitmaps and the palette into DirectDraw objects, and surfaces' transparent colour.
//
// Display start-up loads the palette and the four sheets with these; surface recovery reloads
// the sheets into restored surfaces with DDReloadBitmap. A bitmap is named by a string: first
// the program's own bitmap resource of that name, else a BMP file at that path. Copies convert
// each colour to the nearest colour of the display palette, so the palette must be set on the
// primary surface before a bitmap is loaded. Failures are written to the debugger output in
// short lower-case lines; none is shown to the player.
#pragma once

#include <ddraw.h>
#include <windows.h>

// A new offscreen surface of the bitmap's size holding it, or null. `width` and `height` ask
// the loader for that size, 0 for the bitmap's own. The caller releases the surface.
IDirectDrawSurface7* DDLoadBitmap(IDirectDraw7* directDraw, LPCSTR name, int width, int height);

// Copies the named bitmap into an existing surface: DD_OK, the copy's failure code, or E_FAIL
// when there is no such bitmap.
HRESULT DDReloadBitmap(IDirectDrawSurface7* surface, LPCSTR name);

// Stretches the bitmap's area at (x, y) of `width` x `height` (0: the bitmap's own) over the
// whole surface. E_FAIL when the bitmap or surface is null or no memory context can be made;
// otherwise the result of GetDC on the surface.
HRESULT DDCopyBitmap(IDirectDrawSurface7* surface, HBITMAP bitmap, int x, int y, int width,
                     int height);

// A 256-entry palette from the named bitmap's colour table, the default colours where it has
// none; a null name gives the default palette alone. Null if the palette cannot be created.
IDirectDrawPalette* DDLoadPalette(IDirectDraw7* directDraw, LPCSTR name);

// The pixel value the surface stores for `colour`, found by writing it to pixel (0, 0) and
// putting the old colour back; CLR_INVALID reads pixel (0, 0) as it is. 0xFFFFFFFF when the
// surface cannot be locked.
DWORD DDMatchColor(IDirectDrawSurface7* surface, COLORREF colour);

// Makes the value DDMatchColor finds for `colour` the surface's one transparent value.
HRESULT DDSetSourceKey(IDirectDrawSurface7* surface, COLORREF colour);
