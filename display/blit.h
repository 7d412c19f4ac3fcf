// Copies onto the back buffer, presenting it, and repairing lost surfaces.
//
// BltFastRetry is the one way the background, sprites, title bands and bitmap-font glyphs
// reach the back buffer; FlipPrimary presents it once per frame (the frame driver);
// RestoreSurfaces is BltFastRetry's repair. A loss is repaired only where a call notices it.
#pragma once

#include <ddraw.h>
#include <windows.h>

// BltFast with the busy display waited out (retried at once, without limit) and a lost surface
// repaired: then every surface is restored and reloaded and 0 is returned without copying
// again, so only this one sprite or glyph is missing from the frame. Any other code is
// returned unchanged. No clipping: a copy that does not fit is refused by the platform.
HRESULT BltFastRetry(LPDIRECTDRAWSURFACE7 destination, DWORD x, DWORD y,
                     LPDIRECTDRAWSURFACE7 source, LPRECT sourceRect, DWORD flags);

// Presents the back buffer. A lost primary is restored alone and that frame is not shown.
HRESULT FlipPrimary();

// Restores the primary (with its back buffer), then each offscreen surface with its bitmap
// reloaded. Returns the primary's failure at once, else the sprite sheet's restore result.
HRESULT RestoreSurfaces();
