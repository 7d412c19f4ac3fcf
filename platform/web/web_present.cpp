#include "web_present.h"

#include <vector>

#include "../src/changed_rows.h"

extern "C" {
// 2 for WebGL2, 1 for the 2D canvas, 0 when neither can be had (web_present.js).
int zephyx_present_start(int width, int height);
void zephyx_present_resize(int width, int height);
// 0 once WebGL2 is gone for good (a restored context whose shaders failed): the 2D canvas
// has taken its place and the picture was not shown.
int zephyx_present_indexed(const uint8_t* pixels, int width, int height, int pitch,
                           const BackendColor* palette);
// Rows [top, bottom) of the picture at `pixels` onto the canvas.
void zephyx_present_rgba(const uint32_t* pixels, int width, int height, int top, int bottom);
// 1 once after the 2D canvas was cleared: by sizing it, or by losing its context.
int zephyx_present_canvas_cleared();
}

namespace {

constexpr int kWebGl2 = 2;
constexpr int kCanvas2d = 1;

int gPresenter;
int gWidth;
int gHeight;
std::vector<uint32_t> gRgba;  // the 2D canvas's picture, sized with the display mode
ChangedRows gChangedRows;     // which of gRgba's rows are behind the picture
uint32_t gLookup[256];

// Each entry as the canvas stores a pixel: red, green, blue, opaque alpha, byte by byte.
void FillLookup(const BackendColor palette[256]) {
    for (int i = 0; i < 256; ++i) {
        gLookup[i] = uint32_t{palette[i].red} | uint32_t{palette[i].green} << 8 |
                     uint32_t{palette[i].blue} << 16 | 0xFF000000u;
    }
}

void ForgetConvertedPicture(int width, int height) {
    gRgba.assign(static_cast<size_t>(width) * height, 0);
    gChangedRows.Resize(width, height);
}

// Converts the bands of rows whose colours changed since the picture before and puts them on
// the canvas. In a game the background stands still, so this leaves out most of the colour
// lookup and of the canvas's copying.
void PresentChangedRows(const uint8_t* pixels, int width, int height, int pitch,
                        const BackendColor palette[256]) {
    for (const RowBand& band : gChangedRows.Take(pixels, pitch, palette)) {
        for (int y = band.top; y < band.bottom; ++y) {
            const uint8_t* row = pixels + static_cast<size_t>(y) * pitch;
            uint32_t* out = gRgba.data() + static_cast<size_t>(y) * width;
            for (int x = 0; x < width; ++x) {
                out[x] = gLookup[row[x]];
            }
        }
        zephyx_present_rgba(gRgba.data(), width, height, band.top, band.bottom);
    }
}

}  // namespace

bool WebPresentStart(int width, int height) {
    gPresenter = zephyx_present_start(width, height);
    if (gPresenter == 0) {
        return false;
    }
    WebPresentResize(width, height);
    return true;
}

void WebPresentResize(int width, int height) {
    gWidth = width;
    gHeight = height;
    zephyx_present_resize(width, height);
    if (gPresenter != kWebGl2) {
        ForgetConvertedPicture(width, height);
    }
}

void WebPresent(const uint8_t* pixels, int width, int height, int pitch,
                const BackendColor palette[256]) {
    if (gPresenter == kWebGl2) {
        if (zephyx_present_indexed(pixels, width, height, pitch, palette)) {
            return;
        }
        // Once, when a lost context came back unusable: the 2D canvas's picture is made now.
        gPresenter = kCanvas2d;
        ForgetConvertedPicture(gWidth, gHeight);
    }
    if (gRgba.size() != static_cast<size_t>(width) * height) {
        return;
    }
    if (zephyx_present_canvas_cleared() != 0) {
        gChangedRows.Forget();
    }
    FillLookup(palette);
    PresentChangedRows(pixels, width, height, pitch, palette);
}
