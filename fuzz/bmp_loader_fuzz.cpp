// Arbitrary bytes as a bitmap file and as a bitmap resource, through every loader that reads
// them: the parser, LoadImageA with the copy into a surface, DDLoadBitmap and DDLoadPalette.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <ddraw.h>
#include <windows.h>

#include "display/bitmap.h"
#include "platform/src/dib_parse.h"
#include "platform/src/resources.h"

namespace {

IDirectDraw7* gDirectDraw;
IDirectDrawSurface7* gPrimary;
IDirectDrawSurface7* gSurface;
IDirectDrawPalette* gPalette;
std::string gPath;
PlatformResource gResource = {"FUZZED", nullptr, 0, false, nullptr};

void WriteInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(gPath.c_str(), "wb");
    if (file == nullptr) {
        __builtin_trap();
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    gPath = "/tmp/zephyx-fuzz-" + std::to_string(getpid()) + ".bmp";
    std::atexit([] { std::remove(gPath.c_str()); });
    DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&gDirectDraw), IID_IDirectDraw7, nullptr);
    gDirectDraw->SetCooperativeLevel(reinterpret_cast<HWND>(uintptr_t{1}),
                                     DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    gDirectDraw->CreateSurface(&desc, &gPrimary, nullptr);
    gPalette = DDLoadPalette(gDirectDraw, nullptr);
    gPrimary->SetPalette(gPalette);
    desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = 37;
    desc.dwHeight = 23;
    gDirectDraw->CreateSurface(&desc, &gSurface, nullptr);
    PlatformRegisterResource(&gResource);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DibView view;
    for (DibSource source : {DibSource::File, DibSource::Resource}) {
        if (ParseDib(data, size, source, &view)) {
            HBITMAP__* bitmap = BuildBitmap(view, 0, 0);
            DeleteObject(bitmap);
        }
    }

    WriteInput(data, size);
    HANDLE bitmap = LoadImageA(nullptr, gPath.c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (bitmap != nullptr) {
        DDCopyBitmap(gSurface, static_cast<HBITMAP>(bitmap), 0, 0, 0, 0);
        DeleteObject(bitmap);
    }
    if (IDirectDrawPalette* palette = DDLoadPalette(gDirectDraw, gPath.c_str())) {
        palette->Release();
    }

    gResource.bytes = data;
    gResource.size = size;
    if (IDirectDrawPalette* palette = DDLoadPalette(gDirectDraw, "FUZZED")) {
        palette->Release();
    }
    if (IDirectDrawSurface7* surface = DDLoadBitmap(gDirectDraw, "FUZZED", 0, 0)) {
        surface->Release();
    }
    return 0;
}
