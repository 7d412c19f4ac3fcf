#include "display/blit.h"

#include "display/bitmap.h"
#include "display/display.h"

namespace {

// Restores one offscreen surface and loads its bitmap into it again. A reload's result does
// not matter: a surface that stays wrong is noticed by the next copy from it.
HRESULT RestoreAndReload(LPDIRECTDRAWSURFACE7 surface, const char* bitmapName) {
    HRESULT result = surface->Restore();
    if (result == DD_OK) {
        DDReloadBitmap(surface, bitmapName);
    }
    return result;
}

}  // namespace

HRESULT BltFastRetry(LPDIRECTDRAWSURFACE7 destination, DWORD x, DWORD y,
                     LPDIRECTDRAWSURFACE7 source, LPRECT sourceRect, DWORD flags) {
    for (;;) {
        HRESULT result = destination->BltFast(x, y, source, sourceRect, flags);
        if (result == DDERR_WASSTILLDRAWING) {
            continue;
        }
        if (result == DDERR_SURFACELOST) {
            return RestoreSurfaces();
        }
        return result;
    }
}

HRESULT FlipPrimary() {
    for (;;) {
        HRESULT result = gPrimarySurface->Flip(nullptr, 0);
        if (result == DDERR_WASSTILLDRAWING) {
            continue;
        }
        if (result == DDERR_SURFACELOST) {
            // The offscreen surfaces are left to the next copy that finds them lost.
            return gPrimarySurface->Restore();
        }
        return result;
    }
}

HRESULT RestoreSurfaces() {
    HRESULT result = gPrimarySurface->Restore();
    if (result != DD_OK) {
        return result;
    }
    // Only the sprite sheet's result is reported; the others fail silently and are repaired
    // again when a copy from them reports the loss.
    RestoreAndReload(gBackImageSurface, kBackImageName);
    RestoreAndReload(gStringsSurface, kStringsName);
    RestoreAndReload(gTitleSurface, kTitleName);
    return RestoreAndReload(gCharSurface, kCharName);
}
