#include <cstring>
#include <utility>

#include "backend.h"
#include "ddraw_objects.h"
#include "fault_injection.h"
#include "frame_wake.h"
#include "shown_picture.h"
#include "unchanged_picture_wait.h"

SoftwareSurface* SoftwareSurface::firstLive_ = nullptr;
SoftwareSurface* SoftwareSurface::primary_ = nullptr;

namespace {

// Rows are padded to four bytes, so a 32-bit read at any row start stays inside the memory.
int PitchFor(int width) {
    return (width + 3) & ~3;
}

SoftwareSurface* Software(LPDIRECTDRAWSURFACE7 surface) {
    return static_cast<SoftwareSurface*>(surface);
}

// A rectangle lies inside a width x height area and holds at least one pixel.
bool IsInside(const RECT& rect, int width, int height) {
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= width && rect.bottom <= height;
}

// Bytes of `word` equal to the key byte (repeated in `keys`) become 0xFF, all others 0. No sum
// carries from one byte into the next.
uint64_t KeyMask(uint64_t word, uint64_t keys) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    const uint64_t x = word ^ keys;
    const uint64_t zeroBytes = ~(((x & kLow7) + kLow7) | x) & kHigh;
    return (zeroBytes >> 7) * 0xFF;
}

// A colour-keyed row with one key value, eight pixels at a time: the per-pixel loop is what
// made sprite-heavy frames and the full-width title bands slow.
void CopyKeyedRow(uint8_t* to, const uint8_t* from, int width, uint8_t key) {
    const uint64_t keys = 0x0101010101010101ull * key;
    int column = 0;
    for (; column + 8 <= width; column += 8) {
        uint64_t source;
        std::memcpy(&source, from + column, sizeof(source));
        const uint64_t transparent = KeyMask(source, keys);
        if (transparent == ~uint64_t{0}) {
            continue;
        }
        uint64_t target;
        std::memcpy(&target, to + column, sizeof(target));
        target = (target & transparent) | (source & ~transparent);
        std::memcpy(to + column, &target, sizeof(target));
    }
    for (; column < width; ++column) {
        if (from[column] != key) {
            to[column] = from[column];
        }
    }
}

}  // namespace

SoftwareSurface::SoftwareSurface(Role role, int width, int height)
    : role_(role),
      width_(width),
      height_(height),
      pitch_(PitchFor(width)),
      memory_(width, PitchFor(width), height) {
    dc_.surface = this;
    // Nobody holds the back buffer until GetAttachedSurface hands it out.
    references_ = role == Role::BackBuffer ? 0 : 1;
    nextLive_ = firstLive_;
    if (firstLive_ != nullptr) {
        firstLive_->prevLive_ = this;
    }
    firstLive_ = this;
    if (role_ == Role::Primary) {
        primary_ = this;
        PlatformPrepareShownPicture(width, height);
        PlatformForgetUnchangedPicture();
        PlatformForgetWake();
    }
}

SoftwareSurface::~SoftwareSurface() {
    GdiResetContext(&dc_);  // a font still selected is free again
    if (prevLive_ != nullptr) {
        prevLive_->nextLive_ = nextLive_;
    } else {
        firstLive_ = nextLive_;
    }
    if (nextLive_ != nullptr) {
        nextLive_->prevLive_ = prevLive_;
    }
    if (primary_ == this) {
        primary_ = nullptr;
    }
}

void SoftwareSurface::Destroy() {
    if (back_ != nullptr) {
        back_->Destroy();
        back_ = nullptr;
    }
    if (palette_ != nullptr) {
        palette_->Release();
        palette_ = nullptr;
    }
    static const char* const kRoleNames[] = {"offscreen", "primary", "back buffer"};
    BackendObjectDestroyed(static_cast<IDirectDrawSurface7*>(this),
                           kRoleNames[static_cast<int>(role_)], width_, height_);
    delete this;
}

HRESULT SoftwareSurface::CheckWritable(const RECT* area, RECT* checked) const {
    if (lost_) {
        return DDERR_SURFACELOST;
    }
    if (busy()) {
        return DDERR_SURFACEBUSY;
    }
    *checked = area != nullptr ? *area : RECT{0, 0, width_, height_};
    return IsInside(*checked, width_, height_) ? DD_OK : DDERR_INVALIDRECT;
}

HRESULT SoftwareSurface::QueryInterface(REFIID iid, void** object) {
    return QueryOwnInterface(static_cast<IDirectDrawSurface7*>(this), IID_IUnknown, iid, object);
}

ULONG SoftwareSurface::AddRef() {
    return ++references_;
}

// The back buffer belongs to the primary's chain: its own count never frees it, and it goes
// when the primary goes.
ULONG SoftwareSurface::Release() {
    if (references_ == 0) {
        return 0;
    }
    ULONG left = --references_;
    if (left == 0 && role_ != Role::BackBuffer) {
        Destroy();
    }
    return left;
}

HRESULT SoftwareSurface::Blt(LPRECT destRect, LPDIRECTDRAWSURFACE7, LPRECT, DWORD flags,
                             LPDDBLTFX fx) {
    if (!(flags & DDBLT_COLORFILL)) {
        return DDERR_UNSUPPORTED;
    }
    if (fx == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    HRESULT fault = PlatformInjectedFaultWaited(PlatformOp::Blt, flags & DDBLT_WAIT);
    if (fault != DD_OK) {
        return fault;
    }
    RECT rect;
    if (HRESULT refusal = CheckWritable(destRect, &rect); refusal != DD_OK) {
        return refusal;
    }
    asShown_ = false;
    memory_.Fill(rect.left, rect.top, rect.right, rect.bottom,
                 static_cast<uint8_t>(fx->dwFillColor));
    return DD_OK;
}

HRESULT SoftwareSurface::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE7 sourceSurface,
                                 LPRECT sourceRect, DWORD flags) {
    if (sourceSurface == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    if (flags & DDBLTFAST_DESTCOLORKEY) {
        return DDERR_UNSUPPORTED;
    }
    HRESULT fault = PlatformInjectedFault(PlatformOp::BltFast);
    if (fault != DD_OK) {
        return fault;
    }
    SoftwareSurface& source = *Software(sourceSurface);
    if (lost_ || source.lost_) {
        return DDERR_SURFACELOST;
    }
    if (busy() || source.busy()) {
        return DDERR_SURFACEBUSY;
    }
    RECT rect = sourceRect != nullptr ? *sourceRect : RECT{0, 0, source.width_, source.height_};
    if (!IsInside(rect, source.width_, source.height_)) {
        return DDERR_INVALIDRECT;
    }
    const uint64_t right = uint64_t{x} + static_cast<uint64_t>(rect.right - rect.left);
    const uint64_t bottom = uint64_t{y} + static_cast<uint64_t>(rect.bottom - rect.top);
    if (right > static_cast<uint64_t>(width_) || bottom > static_cast<uint64_t>(height_)) {
        return DDERR_INVALIDRECT;
    }
    const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) != 0;
    if (keyed && !source.hasSourceKey_) {
        return DDERR_NOCOLORKEY;
    }
    asShown_ = false;
    CopyRect(source, rect, static_cast<int>(x), static_cast<int>(y), keyed);
    return DD_OK;
}

// Copies in the direction that keeps an overlapping copy within one surface correct.
void SoftwareSurface::CopyRect(const SoftwareSurface& source, const RECT& rect, int x, int y,
                               bool keyed) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    memory_.Wrote(y, y + height);
    uint8_t* const pixels = memory_.Writable();
    if (!keyed && &source != this && width == width_ && width == source.width_ &&
        pitch_ == source.pitch_) {
        // Whole rows of equal pitch, as the background is: one block.
        std::memcpy(pixels + static_cast<size_t>(y) * pitch_,
                    source.memory_.data() + static_cast<size_t>(rect.top) * source.pitch_,
                    static_cast<size_t>(height) * pitch_);
        return;
    }
    const bool upward = &source == this && y > rect.top;
    const bool leftward = &source == this && x > rect.left;
    // One key value (the usual case) from another surface takes the word-at-a-time path.
    const DWORD key = source.sourceKey_.dwColorSpaceLowValue;
    const bool oneKey =
        &source != this && key < 256 && source.sourceKey_.dwColorSpaceHighValue <= key;
    for (int row = 0; row < height; ++row) {
        const int r = upward ? height - 1 - row : row;
        const uint8_t* from =
            source.memory_.data() + static_cast<size_t>(rect.top + r) * source.pitch_ + rect.left;
        uint8_t* to = pixels + static_cast<size_t>(y + r) * pitch_ + x;
        if (!keyed) {
            std::memmove(to, from, static_cast<size_t>(width));
            continue;
        }
        if (oneKey) {
            CopyKeyedRow(to, from, width, static_cast<uint8_t>(key));
            continue;
        }
        for (int column = 0; column < width; ++column) {
            const int c = leftward ? width - 1 - column : column;
            const uint8_t value = from[c];
            if (!source.keyed_[value]) {
                to[c] = value;
            }
        }
    }
}

HRESULT SoftwareSurface::Flip(LPDIRECTDRAWSURFACE7 targetOverride, DWORD flags) {
    if (role_ != Role::Primary || back_ == nullptr) {
        return DDERR_NOTFLIPPABLE;
    }
    if (targetOverride != nullptr && Software(targetOverride) != back_) {
        return DDERR_INVALIDPARAMS;
    }
    HRESULT fault = PlatformInjectedFaultWaited(PlatformOp::Flip, flags & DDFLIP_WAIT);
    if (fault != DD_OK) {
        return fault;
    }
    if (lost_ || back_->lost_) {
        return DDERR_SURFACELOST;
    }
    if (busy() || back_->busy()) {
        return DDERR_SURFACEBUSY;
    }
    PlatformFinishUnchangedPicture();  // the last picture's turn first, if no sleep took it
    memory_.swap(back_->memory_);
    if (!PreparePresent()) {
        KeepDrawingIntoTheSameMemory();
        PlatformDeferUnchangedPicture(pacer_.NextPictureDue());
        PlatformPlanWake(pacer_.UpcomingDue());
        return DD_OK;
    }
    // Only a changed picture can be late on screen, so only its cost sets the wake-up.
    PlatformPictureReady();
    asShown_ = true;
    pacer_.WaitForNextPicture();
    BackendPresent(memory_.data(), width_, height_, pitch_, presentPalette_);
    PlatformPlanWake(pacer_.UpcomingDue());
    return DD_OK;
}

// After a flip of an unchanged picture the front and the back both hold the picture on screen,
// if the old front still did, so swapping them back changes nothing anyone can see. It leaves
// the game drawing its next frame into the memory it has just drawn, which is still in the
// processor's cache: at the title that takes a large share off what each frame costs.
void SoftwareSurface::KeepDrawingIntoTheSameMemory() {
    if (asShown_) {
        memory_.swap(back_->memory_);
    }
    asShown_ = true;
}

// Works out the palette the picture is shown through and whether the picture changed; a
// changed one is handed to the backend to prepare before the wait, so that only the present
// itself follows the deadline.
bool SoftwareSurface::PreparePresent() {
    static_assert(sizeof(BackendColor) == sizeof(PALETTEENTRY), "one layout for both");
    std::memcpy(presentPalette_, PlatformDisplayPalette(), sizeof(presentPalette_));
    // As exclusive 8-bit modes show a palette made without DDPCAPS_ALLOW256: the first and last
    // entries stay the system's black and white, whatever the palette holds there.
    if (palette_ != nullptr && !palette_->allowAll256) {
        presentPalette_[0] = BackendColor{0, 0, 0, 0};
        presentPalette_[255] = BackendColor{255, 255, 255, 0};
    }
    const bool changed =
        PlatformPictureChanged(memory_.data(), width_, height_, pitch_, presentPalette_,
                               memory_.RowsWrittenSince(PlatformShownPictureNumber()));
    memory_.Holds(PlatformShownPictureNumber());
    if (!changed) {
        return false;
    }
    BackendPreparePresent(memory_.data(), width_, height_, pitch_, presentPalette_);
    return true;
}

HRESULT SoftwareSurface::GetAttachedSurface(LPDDSCAPS2 caps, LPDIRECTDRAWSURFACE7* attached) {
    if (caps == nullptr || attached == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    *attached = nullptr;
    HRESULT fault = PlatformInjectedFault(PlatformOp::GetAttachedSurface);
    if (fault != DD_OK) {
        return fault;
    }
    if (back_ == nullptr || !(caps->dwCaps & DDSCAPS_BACKBUFFER)) {
        return DDERR_NOTFOUND;
    }
    back_->AddRef();
    *attached = back_;
    return DD_OK;
}

HRESULT SoftwareSurface::GetDC(HDC* dc) {
    if (dc == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    HRESULT fault = PlatformInjectedFault(PlatformOp::GetDC);
    if (fault != DD_OK) {
        return fault;
    }
    if (lost_) {
        return DDERR_SURFACELOST;
    }
    if (dcOut_) {
        return DDERR_DCALREADYCREATED;
    }
    if (locked_) {
        return DDERR_SURFACEBUSY;
    }
    dcOut_ = true;
    asShown_ = false;
    *dc = &dc_;
    return DD_OK;
}

HRESULT SoftwareSurface::ReleaseDC(HDC dc) {
    if (dc != &dc_ || !dcOut_) {
        return DDERR_NODC;
    }
    dcOut_ = false;
    GdiResetContext(&dc_);
    return DD_OK;
}

HRESULT SoftwareSurface::GetSurfaceDesc(LPDDSURFACEDESC2 desc) {
    if (desc == nullptr || !IsValidDescSize(desc->dwSize)) {
        return DDERR_INVALIDPARAMS;
    }
    HRESULT fault = PlatformInjectedFault(PlatformOp::GetSurfaceDesc);
    if (fault != DD_OK) {
        return fault;
    }
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(width_);
    desc->dwHeight = static_cast<DWORD>(height_);
    desc->lPitch = pitch_;
    desc->dwBackBufferCount = back_ != nullptr ? 1 : 0;
    if (back_ != nullptr) {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
    }
    desc->ddpfPixelFormat = DDPIXELFORMAT{};
    desc->ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    desc->ddpfPixelFormat.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
    desc->ddpfPixelFormat.dwRGBBitCount = 8;
    desc->ddsCaps = DDSCAPS2{};
    switch (role_) {
        case Role::Primary:
            desc->ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX |
                                   DDSCAPS_FRONTBUFFER | DDSCAPS_VISIBLE | DDSCAPS_VIDEOMEMORY;
            break;
        case Role::BackBuffer:
            desc->ddsCaps.dwCaps =
                DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_VIDEOMEMORY;
            break;
        case Role::Offscreen:
            desc->ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
            break;
    }
    if (hasSourceKey_) {
        desc->dwFlags |= DDSD_CKSRCBLT;
        desc->ddckCKSrcBlt = sourceKey_;
    }
    return DD_OK;
}

HRESULT SoftwareSurface::Lock(LPRECT rect, LPDDSURFACEDESC2 desc, DWORD, HANDLE) {
    if (desc == nullptr || !IsValidDescSize(desc->dwSize)) {
        return DDERR_INVALIDPARAMS;
    }
    HRESULT fault = PlatformInjectedFault(PlatformOp::Lock);
    if (fault != DD_OK) {
        return fault;
    }
    RECT area;
    if (HRESULT refusal = CheckWritable(rect, &area); refusal != DD_OK) {
        return refusal;
    }
    GetSurfaceDesc(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = memory_.Writable() + static_cast<size_t>(area.top) * pitch_ + area.left;
    memory_.Wrote(area.top, area.bottom);
    locked_ = true;
    asShown_ = false;
    return DD_OK;
}

HRESULT SoftwareSurface::Unlock(LPRECT) {
    if (!locked_) {
        return DDERR_NOTLOCKED;
    }
    locked_ = false;
    return DD_OK;
}

HRESULT SoftwareSurface::Restore() {
    HRESULT fault = PlatformInjectedFault(PlatformOp::Restore);
    if (fault != DD_OK) {
        return fault;
    }
    const bool chainLost = lost_ || (back_ != nullptr && back_->lost_);
    if (!chainLost) {
        return DD_OK;
    }
    if (!PlatformDisplayRestorable()) {
        return DDERR_WRONGMODE;
    }
    // The memory comes back with nothing the program can rely on; zero keeps runs repeatable.
    // The screen lost its picture with it.
    if (role_ == Role::Primary) {
        PlatformRepaintNeeded();
    }
    for (SoftwareSurface* surface : {this, back_}) {
        if (surface != nullptr && surface->lost_) {
            surface->memory_.Clear();
            surface->lost_ = false;
            surface->asShown_ = false;
        }
    }
    return DD_OK;
}

HRESULT SoftwareSurface::SetColorKey(DWORD flags, LPDDCOLORKEY key) {
    if (!(flags & DDCKEY_SRCBLT) || (flags & DDCKEY_DESTBLT)) {
        return DDERR_UNSUPPORTED;
    }
    HRESULT fault = PlatformInjectedFault(PlatformOp::SetColorKey);
    if (fault != DD_OK) {
        return fault;
    }
    std::memset(keyed_, 0, sizeof(keyed_));
    if (key == nullptr) {
        hasSourceKey_ = false;
        sourceKey_ = {};
        return DD_OK;
    }
    hasSourceKey_ = true;
    sourceKey_ = *key;
    const DWORD low = key->dwColorSpaceLowValue;
    const DWORD high = key->dwColorSpaceHighValue < low ? low : key->dwColorSpaceHighValue;
    for (DWORD value = low; value <= high && value < 256; ++value) {
        keyed_[value] = true;
    }
    return DD_OK;
}

HRESULT SoftwareSurface::SetPalette(LPDIRECTDRAWPALETTE palette) {
    HRESULT fault = PlatformInjectedFault(PlatformOp::SetPalette);
    if (fault != DD_OK) {
        return fault;
    }
    SoftwarePalette* next = static_cast<SoftwarePalette*>(palette);
    if (next == palette_) {
        return DD_OK;
    }
    if (next != nullptr) {
        next->AddRef();
    }
    if (palette_ != nullptr) {
        palette_->Release();
    }
    palette_ = next;
    return DD_OK;
}
