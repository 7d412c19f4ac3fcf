#include <cstring>

#include "backend.h"
#include "ddraw_objects.h"

SoftwarePalette::SoftwarePalette(const PALETTEENTRY* source, bool allowAll256)
    : allowAll256(allowAll256) {
    std::memcpy(entries, source, sizeof(entries));
}

HRESULT SoftwarePalette::QueryInterface(REFIID iid, void** object) {
    return QueryOwnInterface(static_cast<IDirectDrawPalette*>(this), IID_IUnknown, iid, object);
}

ULONG SoftwarePalette::AddRef() {
    return ++references_;
}

ULONG SoftwarePalette::Release() {
    return ReleaseOwnReference(this, static_cast<IDirectDrawPalette*>(this), references_,
                               "palette");
}

namespace {

// What an 8-bit display shows before a palette is set: red and green in eight levels, blue in
// four, as the bitmap loaders' default palette.
struct DefaultPalette {
    PALETTEENTRY entries[256];
    DefaultPalette() {
        for (int i = 0; i < 256; ++i) {
            entries[i].peRed = static_cast<BYTE>(((i >> 5) & 7) * 255 / 7);
            entries[i].peGreen = static_cast<BYTE>(((i >> 2) & 7) * 255 / 7);
            entries[i].peBlue = static_cast<BYTE>((i & 3) * 255 / 3);
            entries[i].peFlags = 0;
        }
    }
};
const DefaultPalette gDefaultPalette;

}  // namespace

const PALETTEENTRY* PlatformDisplayPalette() {
    SoftwareSurface* primary = SoftwareSurface::Primary();
    if (primary != nullptr && primary->palette() != nullptr) {
        return primary->palette()->entries;
    }
    return gDefaultPalette.entries;
}

uint8_t NearestPaletteIndex(const PALETTEENTRY* palette, BYTE red, BYTE green, BYTE blue) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        int dr = palette[i].peRed - red;
        int dg = palette[i].peGreen - green;
        int db = palette[i].peBlue - blue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) {
                break;
            }
        }
    }
    return static_cast<uint8_t>(best);
}
