#include <strings.h>

#include <cstring>
#include <vector>

#include "../src/backend.h"
#include "../src/ddraw_objects.h"
#include "../src/display_control.h"
#include "../src/resources.h"
#include "headless.h"

namespace {

// Room for the 640x480 mode from the start, so capturing allocates nothing while frames run.
constexpr size_t kReservedPixels = 640 * 480;

struct Capture {
    Capture() {
        rgb.reserve(kReservedPixels * 3);
        indices.reserve(kReservedPixels);
    }
    uint32_t count = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    std::vector<uint8_t> indices;
};
Capture gCapture;

SoftwareSurface* Software(IDirectDrawSurface7* surface) {
    return static_cast<SoftwareSurface*>(surface);
}

}  // namespace

void BackendPresent(const uint8_t* pixels, int width, int height, int pitch,
                    const BackendColor palette[256]) {
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    gCapture.rgb.resize(count * 3);
    gCapture.indices.resize(count);
    gCapture.width = width;
    gCapture.height = height;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + static_cast<size_t>(y) * pitch;
        uint8_t* indices = gCapture.indices.data() + static_cast<size_t>(y) * width;
        uint8_t* rgb = gCapture.rgb.data() + static_cast<size_t>(y) * width * 3;
        std::memcpy(indices, row, static_cast<size_t>(width));
        for (int x = 0; x < width; ++x) {
            const BackendColor& colour = palette[row[x]];
            rgb[x * 3] = colour.red;
            rgb[x * 3 + 1] = colour.green;
            rgb[x * 3 + 2] = colour.blue;
        }
    }
    ++gCapture.count;
}

void HeadlessFailOperation(PlatformOp op, HRESULT code, uint32_t callsToSkip, uint32_t times) {
    PlatformFault& fault = gPlatformFaults[static_cast<int>(op)];
    fault.code = code;
    fault.callsToSkip = callsToSkip;
    fault.failures = code == 0 ? 0 : times;
}

void HeadlessStillDrawing(PlatformOp op, uint32_t calls) {
    gPlatformFaults[static_cast<int>(op)].stillDrawing = calls;
}

void HeadlessLoseSurface(IDirectDrawSurface7* surface) {
    Software(surface)->MarkLost();
}

void HeadlessLoseAllSurfaces() {
    PlatformLoseAllSurfaces();
}

void HeadlessSetDisplayRestorable(bool restorable) {
    PlatformSetDisplayRestorable(restorable);
}

bool HeadlessSurfaceLost(IDirectDrawSurface7* surface) {
    return Software(surface)->lost();
}

std::vector<uint8_t> HeadlessSurfaceIndices(IDirectDrawSurface7* surface) {
    const SoftwareSurface& s = *Software(surface);
    std::vector<uint8_t> indices(static_cast<size_t>(s.width()) * s.height());
    for (int y = 0; y < s.height(); ++y) {
        std::memcpy(indices.data() + static_cast<size_t>(y) * s.width(),
                    s.pixels() + static_cast<size_t>(y) * s.pitch(), s.width());
    }
    return indices;
}

uint8_t HeadlessSurfaceIndex(IDirectDrawSurface7* surface, int x, int y) {
    const SoftwareSurface& s = *Software(surface);
    return s.pixels()[static_cast<size_t>(y) * s.pitch() + x];
}

void HeadlessSetSurfaceIndex(IDirectDrawSurface7* surface, int x, int y, uint8_t index) {
    SoftwareSurface& s = *Software(surface);
    s.pixels()[static_cast<size_t>(y) * s.pitch() + x] = index;
}

const uint8_t* HeadlessPaletteBytes(IDirectDrawPalette* palette) {
    return reinterpret_cast<const uint8_t*>(static_cast<SoftwarePalette*>(palette)->entries);
}

void HeadlessHideResource(const char* name) {
    for (PlatformResource* r = PlatformFirstResource(); r != nullptr; r = r->next) {
        if (strcasecmp(r->name, name) == 0) {
            r->hidden = true;
        }
    }
}

uint32_t HeadlessPresentCount() {
    return gCapture.count;
}

int HeadlessPresentedWidth() {
    return gCapture.width;
}

int HeadlessPresentedHeight() {
    return gCapture.height;
}

const std::vector<uint8_t>& HeadlessPresentedRgb() {
    return gCapture.rgb;
}

HeadlessRgb HeadlessPresentedPixel(int x, int y) {
    const uint8_t* at = gCapture.rgb.data() + (static_cast<size_t>(y) * gCapture.width + x) * 3;
    return HeadlessRgb{at[0], at[1], at[2]};
}

uint8_t HeadlessPresentedIndex(int x, int y) {
    return gCapture.indices[static_cast<size_t>(y) * gCapture.width + x];
}

void HeadlessResetDisplay() {
    PlatformClearFaults();
    PlatformSetDisplayRestorable(true);
    for (PlatformResource* r = PlatformFirstResource(); r != nullptr; r = r->next) {
        r->hidden = false;
    }
    gCapture.count = 0;
    gCapture.width = 0;
    gCapture.height = 0;
    gCapture.rgb.clear();
    gCapture.indices.clear();
}
