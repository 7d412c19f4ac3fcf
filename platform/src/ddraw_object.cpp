#include <new>

#include "backend.h"
#include "ddraw_objects.h"
#include "fault_injection.h"

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDirectDraw7 = {
    0x15e65ec0, 0x3b9c, 0x11d2, {0xb9, 0x2f, 0x00, 0x60, 0x97, 0x97, 0xea, 0x5b}};

namespace {

// Large enough for any picture the game loads, small enough that a bad size cannot ask for
// gigabytes.
constexpr DWORD kMaxSurfaceSide = 16384;
constexpr uint64_t kMaxSurfacePixels = uint64_t{64} << 20;

}  // namespace

HRESULT DirectDrawCreateEx(LPGUID driver, LPVOID* directDraw, REFIID iid, IUnknown* outer) {
    if (directDraw == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    *directDraw = nullptr;
    if (driver != nullptr || outer != nullptr || !(iid == IID_IDirectDraw7)) {
        return DDERR_INVALIDPARAMS;
    }
    HRESULT fault = PlatformInjectedFault(PlatformOp::DirectDrawCreateEx);
    if (fault != DD_OK) {
        return fault;
    }
    IDirectDraw7* object = new (std::nothrow) SoftwareDirectDraw();
    if (object == nullptr) {
        return DDERR_OUTOFMEMORY;
    }
    *directDraw = object;
    return DD_OK;
}

HRESULT SoftwareDirectDraw::QueryInterface(REFIID iid, void** object) {
    return QueryOwnInterface(static_cast<IDirectDraw7*>(this), IID_IDirectDraw7, iid, object);
}

ULONG SoftwareDirectDraw::AddRef() {
    return ++references_;
}

// Surfaces and palettes made by this object own nothing of it, so they may outlive it.
ULONG SoftwareDirectDraw::Release() {
    return ReleaseOwnReference(this, static_cast<IDirectDraw7*>(this), references_, "DirectDraw");
}

HRESULT SoftwareDirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    HRESULT fault = PlatformInjectedFault(PlatformOp::SetCooperativeLevel);
    if (fault != DD_OK) {
        return fault;
    }
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    const bool fullScreen = (flags & DDSCL_FULLSCREEN) != 0;
    if (exclusive != fullScreen || (exclusive && window == nullptr) ||
        (!exclusive && !(flags & DDSCL_NORMAL))) {
        return DDERR_INVALIDPARAMS;
    }
    cooperativeLevel_ = flags;
    if (exclusive) {
        BackendSetExclusiveFullscreen();
    }
    return DD_OK;
}

HRESULT SoftwareDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD,
                                           DWORD) {
    HRESULT fault = PlatformInjectedFault(PlatformOp::SetDisplayMode);
    if (fault != DD_OK) {
        return fault;
    }
    if (cooperativeLevel_ == 0) {
        return DDERR_NOCOOPERATIVELEVELSET;
    }
    if (bitsPerPixel != 8 || width == 0 || height == 0 || width > 4096 || height > 4096) {
        return DDERR_INVALIDMODE;
    }
    if (SoftwareSurface::Primary() != nullptr) {
        return DDERR_SURFACEBUSY;
    }
    modeWidth_ = static_cast<int>(width);
    modeHeight_ = static_cast<int>(height);
    BackendSetDisplayMode(modeWidth_, modeHeight_);
    return DD_OK;
}

HRESULT SoftwareDirectDraw::CreatePalette(DWORD flags, LPPALETTEENTRY entries,
                                          LPDIRECTDRAWPALETTE* palette, IUnknown* outer) {
    if (palette == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    *palette = nullptr;
    if (entries == nullptr || outer != nullptr || !(flags & DDPCAPS_8BIT)) {
        return DDERR_INVALIDPARAMS;
    }
    HRESULT fault = PlatformInjectedFault(PlatformOp::CreatePalette);
    if (fault != DD_OK) {
        return fault;
    }
    SoftwarePalette* made =
        new (std::nothrow) SoftwarePalette(entries, (flags & DDPCAPS_ALLOW256) != 0);
    if (made == nullptr) {
        return DDERR_OUTOFMEMORY;
    }
    *palette = made;
    return DD_OK;
}

HRESULT SoftwareDirectDraw::CreateSurface(LPDDSURFACEDESC2 desc, LPDIRECTDRAWSURFACE7* surface,
                                          IUnknown* outer) {
    if (surface == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    *surface = nullptr;
    if (desc == nullptr || outer != nullptr || !IsValidDescSize(desc->dwSize)) {
        return DDERR_INVALIDPARAMS;
    }
    const DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
    if (caps & DDSCAPS_PRIMARYSURFACE) {
        HRESULT fault = PlatformInjectedFault(PlatformOp::CreateSurfacePrimary);
        if (fault != DD_OK) {
            return fault;
        }
        return CreatePrimary(desc, surface);
    }

    HRESULT fault = PlatformInjectedFault(PlatformOp::CreateSurfaceOffscreen);
    if (fault != DD_OK) {
        return fault;
    }
    if (caps & (DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_FRONTBUFFER)) {
        return DDERR_INVALIDCAPS;
    }
    if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) {
        return DDERR_INVALIDPARAMS;
    }
    if (desc->dwWidth == 0 || desc->dwHeight == 0 || desc->dwWidth > kMaxSurfaceSide ||
        desc->dwHeight > kMaxSurfaceSide ||
        uint64_t{desc->dwWidth} * desc->dwHeight > kMaxSurfacePixels) {
        return DDERR_INVALIDPARAMS;
    }
    if ((desc->dwFlags & DDSD_PIXELFORMAT) &&
        (!(desc->ddpfPixelFormat.dwFlags & DDPF_PALETTEINDEXED8) ||
         desc->ddpfPixelFormat.dwRGBBitCount != 8)) {
        return DDERR_INVALIDPIXELFORMAT;
    }
    SoftwareSurface* made = nullptr;
    try {
        made =
            new SoftwareSurface(SoftwareSurface::Role::Offscreen, static_cast<int>(desc->dwWidth),
                                static_cast<int>(desc->dwHeight));
    } catch (const std::bad_alloc&) {
        return DDERR_OUTOFMEMORY;
    }
    if (desc->dwFlags & DDSD_CKSRCBLT) {
        made->SetSourceKeyAtCreation(desc->ddckCKSrcBlt);
    }
    *surface = made;
    return DD_OK;
}

// One flipping chain: the primary at the display mode's size with exactly one back buffer.
HRESULT SoftwareDirectDraw::CreatePrimary(LPDDSURFACEDESC2 desc, LPDIRECTDRAWSURFACE7* surface) {
    if (cooperativeLevel_ == 0) {
        return DDERR_NOCOOPERATIVELEVELSET;
    }
    const DWORD caps = desc->ddsCaps.dwCaps;
    const bool flipping = (caps & DDSCAPS_FLIP) != 0;
    if (flipping) {
        if (!(cooperativeLevel_ & DDSCL_EXCLUSIVE)) {
            return DDERR_NOEXCLUSIVEMODE;
        }
        if (!(caps & DDSCAPS_COMPLEX) || !(desc->dwFlags & DDSD_BACKBUFFERCOUNT) ||
            desc->dwBackBufferCount != 1) {
            return DDERR_INVALIDCAPS;
        }
    }
    if (SoftwareSurface::Primary() != nullptr) {
        return DDERR_PRIMARYSURFACEALREADYEXISTS;
    }
    SoftwareSurface* primary = nullptr;
    SoftwareSurface* back = nullptr;
    try {
        primary = new SoftwareSurface(SoftwareSurface::Role::Primary, modeWidth_, modeHeight_);
        if (flipping) {
            back = new SoftwareSurface(SoftwareSurface::Role::BackBuffer, modeWidth_, modeHeight_);
        }
    } catch (const std::bad_alloc&) {
        if (primary != nullptr) {
            primary->Release();
        }
        return DDERR_OUTOFMEMORY;
    }
    primary->AttachBackBuffer(back);
    *surface = primary;
    return DD_OK;
}
