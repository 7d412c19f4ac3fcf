// The software DirectDraw objects behind the interfaces of <ddraw.h>.
//
// Only the DirectDraw sources, the GDI code (a surface's device context reads and writes its
// pixels), display_control.cpp and the headless backend (fault injection and capture) reach
// inside them. A surface's memory, its device context and every table it needs are made when
// it is created, so blits, flips and device contexts allocate nothing while frames run.
#pragma once

#include <cstdint>
#include <vector>

#include <ddraw.h>

#include "backend.h"
#include "frame_pacer.h"
#include "gdi_objects.h"
#include "surface_memory.h"

// The one QueryInterface the objects share: each answers IID_IUnknown and its own `iid` with
// `self`, counting the new reference; anything else is E_NOINTERFACE.
template <typename Object>
HRESULT QueryOwnInterface(Object* self, REFIID ownIid, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (iid != IID_IUnknown && iid != ownIid) {
        return E_NOINTERFACE;
    }
    self->AddRef();
    *object = self;
    return S_OK;
}

// The one Release of the DirectDraw object and palettes: drops a reference and, at the last,
// tells the backend (`kind` as BackendObjectDestroyed takes it) and frees the object.
template <typename Object, typename Interface>
ULONG ReleaseOwnReference(Object* self, Interface* identity, ULONG& references, const char* kind) {
    ULONG left = --references;
    if (left == 0) {
        BackendObjectDestroyed(identity, kind, 0, 0);
        delete self;
    }
    return left;
}

class SoftwarePalette final : public IDirectDrawPalette {
public:
    SoftwarePalette(const PALETTEENTRY* source, bool allowAll256);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    PALETTEENTRY entries[256];
    // Without DDPCAPS_ALLOW256 the display keeps entries 0 and 255 for black and white.
    bool allowAll256;

private:
    template <typename Object, typename Interface>
    friend ULONG ReleaseOwnReference(Object*, Interface*, ULONG&, const char*);
    ~SoftwarePalette() = default;
    ULONG references_ = 1;
};

class SoftwareSurface final : public IDirectDrawSurface7 {
public:
    enum class Role { Offscreen, Primary, BackBuffer };

    // Throws std::bad_alloc when the memory cannot be had; CreateSurface turns that into
    // DDERR_OUTOFMEMORY.
    SoftwareSurface(Role role, int width, int height);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Blt(LPRECT destRect, LPDIRECTDRAWSURFACE7 source, LPRECT sourceRect, DWORD flags,
                LPDDBLTFX fx) override;
    HRESULT BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE7 source, LPRECT sourceRect,
                    DWORD flags) override;
    HRESULT Flip(LPDIRECTDRAWSURFACE7 targetOverride, DWORD flags) override;
    HRESULT GetAttachedSurface(LPDDSCAPS2 caps, LPDIRECTDRAWSURFACE7* attached) override;
    HRESULT GetDC(HDC* dc) override;
    HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 desc) override;
    HRESULT Lock(LPRECT rect, LPDDSURFACEDESC2 desc, DWORD flags, HANDLE event) override;
    HRESULT ReleaseDC(HDC dc) override;
    HRESULT Restore() override;
    HRESULT SetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT SetPalette(LPDIRECTDRAWPALETTE palette) override;
    HRESULT Unlock(LPRECT rect) override;

    Role role() const { return role_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return pitch_; }
    // Writable pixels: whoever asks may change them, so the primary no longer counts as
    // holding the picture on screen.
    uint8_t* pixels() {
        asShown_ = false;
        memory_.WroteAll();
        return memory_.Writable();
    }
    const uint8_t* pixels() const { return memory_.data(); }
    bool lost() const { return lost_; }
    bool dcOut() const { return dcOut_; }
    SoftwareSurface* backBuffer() const { return back_; }
    SoftwarePalette* palette() const { return palette_; }

    // Takes the memory away until Restore, as when another program takes the display.
    void MarkLost() { lost_ = true; }
    void AttachBackBuffer(SoftwareSurface* back) { back_ = back; }
    void SetSourceKeyAtCreation(const DDCOLORKEY& key) {
        SetColorKey(DDCKEY_SRCBLT, const_cast<DDCOLORKEY*>(&key));
    }

    // Every surface alive, newest first, for losing them all at once.
    static SoftwareSurface* FirstLive() { return firstLive_; }
    SoftwareSurface* nextLive() const { return nextLive_; }

    // The primary surface of the display, if one exists: its palette is the display palette.
    static SoftwareSurface* Primary() { return primary_; }

private:
    ~SoftwareSurface();
    void Destroy();
    bool busy() const { return locked_ || dcOut_; }
    // 0 when `area` (null: the whole surface) of this surface may be written now, with the
    // area in `checked`; else why not.
    HRESULT CheckWritable(const RECT* area, RECT* checked) const;
    bool PreparePresent();
    void KeepDrawingIntoTheSameMemory();
    void CopyRect(const SoftwareSurface& source, const RECT& rect, int x, int y, bool keyed);

    Role role_;
    int width_;
    int height_;
    int pitch_;
    SurfaceMemory memory_;
    ULONG references_ = 1;
    bool lost_ = false;
    bool locked_ = false;
    bool dcOut_ = false;
    SoftwareSurface* back_ = nullptr;  // the primary's back buffer
    SoftwarePalette* palette_ = nullptr;
    bool hasSourceKey_ = false;
    DDCOLORKEY sourceKey_ = {};
    bool keyed_[256] = {};  // pixel values the source key makes transparent
    HDC__ dc_;
    BackendColor presentPalette_[256];
    // The primary's memory holds exactly the picture on screen: nothing wrote into it since it
    // was presented or found unchanged.
    bool asShown_ = false;

    FramePacer pacer_;  // the primary's Flip

    SoftwareSurface* prevLive_ = nullptr;
    SoftwareSurface* nextLive_ = nullptr;
    static SoftwareSurface* firstLive_;
    static SoftwareSurface* primary_;
};

class SoftwareDirectDraw final : public IDirectDraw7 {
public:
    SoftwareDirectDraw() = default;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* palette,
                          IUnknown* outer) override;
    HRESULT CreateSurface(LPDDSURFACEDESC2 desc, LPDIRECTDRAWSURFACE7* surface,
                          IUnknown* outer) override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                           DWORD flags) override;

private:
    template <typename Object, typename Interface>
    friend ULONG ReleaseOwnReference(Object*, Interface*, ULONG&, const char*);
    ~SoftwareDirectDraw() = default;
    HRESULT CreatePrimary(LPDDSURFACEDESC2 desc, LPDIRECTDRAWSURFACE7* surface);

    ULONG references_ = 1;
    DWORD cooperativeLevel_ = 0;
    int modeWidth_ = 640;
    int modeHeight_ = 480;
};

// dwSize values a surface description may carry: the record's own size, or 124 as on 32-bit
// Windows.
inline bool IsValidDescSize(DWORD size) {
    return size == sizeof(DDSURFACEDESC2) || size == ZEPHYX_DDSURFACEDESC2_SIZE_32;
}

// While false, Restore answers DDERR_WRONGMODE (the display is not ours to restore yet).
bool PlatformDisplayRestorable();
