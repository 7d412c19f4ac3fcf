#include <strings.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "../src/backend.h"
#include "../src/ddraw_objects.h"
#include "../src/display_control.h"
#include "../src/resources.h"
#include "../src/shown_picture.h"
#include "headless.h"
#include "headless_internal.h"

namespace {

// Room for the 640x480 mode from the start, so capturing allocates nothing while frames run.
constexpr size_t kReservedPixels = 640 * 480;

struct Capture {
    Capture() {
        rgb.reserve(kReservedPixels * 3);
        indices.reserve(kReservedPixels);
    }
    uint32_t count = 0;
    uint32_t unchanged = 0;    // flips that found the picture already on screen
    uint64_t presentedAt = 0;  // the virtual clock at the latest present
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;
    BackendColor palette[256] = {};
    // Converted only when a test asks, so presenting costs one copy of the indices.
    std::vector<uint8_t> rgb;
    bool rgbStale = false;
};
Capture gCapture;

PlatformFault& Fault(PlatformOp op) {
    return gPlatformFaults[static_cast<int>(op)];
}

SoftwareSurface* Software(IDirectDrawSurface7* surface) {
    return static_cast<SoftwareSurface*>(surface);
}

}  // namespace

void BackendPresent(const uint8_t* pixels, int width, int height, int pitch,
                    const BackendColor palette[256]) {
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    gCapture.indices.resize(count);
    gCapture.width = width;
    gCapture.height = height;
    if (pitch == width) {
        std::memcpy(gCapture.indices.data(), pixels, count);
    } else {
        for (int y = 0; y < height; ++y) {
            std::memcpy(gCapture.indices.data() + static_cast<size_t>(y) * width,
                        pixels + static_cast<size_t>(y) * pitch, static_cast<size_t>(width));
        }
    }
    std::memcpy(gCapture.palette, palette, sizeof(gCapture.palette));
    gCapture.rgbStale = true;
    ++gCapture.count;
    gCapture.presentedAt = BackendMicroseconds();
}

void BackendPreparePresent(const uint8_t*, int, int, int, const BackendColor[256]) {}

void BackendPresentUnchanged() {
    ++gCapture.unchanged;
}

void HeadlessFailOperation(PlatformOp op, HRESULT code, uint32_t callsToSkip, uint32_t times) {
    PlatformFault& fault = Fault(op);
    fault.code = code;
    fault.callsToSkip = callsToSkip;
    fault.failures = code == 0 ? 0 : times;
}

void HeadlessStillDrawing(PlatformOp op, uint32_t calls) {
    Fault(op).stillDrawing = calls;
}

uint32_t HeadlessFailuresLeft(PlatformOp op) {
    return Fault(op).failures;
}

uint32_t HeadlessStillDrawingLeft(PlatformOp op) {
    return Fault(op).stillDrawing;
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

uint64_t HeadlessLastPresentMicroseconds() {
    return gCapture.presentedAt;
}

uint32_t HeadlessUnchangedFlipCount() {
    return gCapture.unchanged;
}

uint32_t HeadlessFlipCount() {
    return gCapture.count + gCapture.unchanged;
}

void HeadlessExpose() {
    PlatformRepaintNeeded();
}

int HeadlessPresentedWidth() {
    return gCapture.width;
}

int HeadlessPresentedHeight() {
    return gCapture.height;
}

const std::vector<uint8_t>& HeadlessPresentedRgb() {
    if (gCapture.rgbStale) {
        gCapture.rgb.resize(gCapture.indices.size() * 3);
        for (size_t i = 0; i < gCapture.indices.size(); ++i) {
            const BackendColor& colour = gCapture.palette[gCapture.indices[i]];
            gCapture.rgb[i * 3] = colour.red;
            gCapture.rgb[i * 3 + 1] = colour.green;
            gCapture.rgb[i * 3 + 2] = colour.blue;
        }
        gCapture.rgbStale = false;
    }
    return gCapture.rgb;
}

HeadlessRgb HeadlessPresentedPixel(int x, int y) {
    const BackendColor& colour = gCapture.palette[HeadlessPresentedIndex(x, y)];
    return HeadlessRgb{colour.red, colour.green, colour.blue};
}

const std::vector<uint8_t>& HeadlessPresentedIndices() {
    return gCapture.indices;
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
    gCapture.unchanged = 0;
    gCapture.presentedAt = 0;
    PlatformRepaintNeeded();
    gCapture.width = 0;
    gCapture.height = 0;
    gCapture.rgb.clear();
    gCapture.rgbStale = false;
    gCapture.indices.clear();
    HeadlessClearDestroyedObjects();
}

void BackendSetExclusiveFullscreen() {}

void BackendSetDisplayMode(int, int) {}

namespace {
constexpr int kDestroyedLogSize = 64;
char gDestroyed[kDestroyedLogSize][32];
int gDestroyedCount;
}  // namespace

void BackendObjectDestroyed(const void*, const char* kind, int width, int height) {
    if (gDestroyedCount == kDestroyedLogSize) {
        return;
    }
    char* entry = gDestroyed[gDestroyedCount++];
    if (width > 0) {
        snprintf(entry, sizeof gDestroyed[0], "%s %dx%d", kind, width, height);
    } else {
        snprintf(entry, sizeof gDestroyed[0], "%s", kind);
    }
}

std::vector<std::string> HeadlessDestroyedObjects() {
    return std::vector<std::string>(gDestroyed, gDestroyed + gDestroyedCount);
}

void HeadlessClearDestroyedObjects() {
    gDestroyedCount = 0;
}
