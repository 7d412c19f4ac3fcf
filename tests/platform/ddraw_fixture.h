// A started display for DirectDraw tests: 640x480x8 exclusive, the primary with its back
// buffer and a palette whose entry i is (i, 255 - i, i / 2), all on a freshly reset headless
// backend. Offscreen surfaces made with MakeOffscreen are released with the fixture.
#pragma once

#include <gtest/gtest.h>

#include <ddraw.h>
#include <windows.h>

#include <vector>

#include "headless.h"

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw),
                                     IID_IDirectDraw7, nullptr),
                  DD_OK);
        ASSERT_EQ(directDraw->SetCooperativeLevel(
                      window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT),
                  DD_OK);
        ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 8, 0, 0), DD_OK);
        DDSURFACEDESC2 desc = {};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.dwBackBufferCount = 1;
        ASSERT_EQ(directDraw->CreateSurface(&desc, &primary, nullptr), DD_OK);
        DDSCAPS2 caps = {};
        caps.dwCaps = DDSCAPS_BACKBUFFER;
        ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
        for (int i = 0; i < 256; ++i) {
            entries[i] = PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(255 - i),
                                      static_cast<BYTE>(i / 2), 0};
        }
        ASSERT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT, entries, &palette, nullptr), DD_OK);
        ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    }

    void TearDown() override {
        for (IDirectDrawSurface7* surface : offscreen) {
            surface->Release();
        }
        if (primary != nullptr) {
            primary->Release();
        }
        if (palette != nullptr) {
            palette->Release();
        }
        directDraw->Release();
        HeadlessReset();
    }

    IDirectDrawSurface7* MakeOffscreen(int width, int height) {
        DDSURFACEDESC2 desc = {};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.dwWidth = width;
        desc.dwHeight = height;
        IDirectDrawSurface7* surface = nullptr;
        EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
        if (surface != nullptr) {
            offscreen.push_back(surface);
        }
        return surface;
    }

    // Fills a surface with index (x + 7 * y) % 256, a pattern where every shift shows.
    static void FillPattern(IDirectDrawSurface7* surface, int width, int height) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                HeadlessSetSurfaceIndex(surface, x, y, static_cast<uint8_t>((x + 7 * y) % 256));
            }
        }
    }

    HWND window = reinterpret_cast<HWND>(uintptr_t{0x1234});
    IDirectDraw7* directDraw = nullptr;
    IDirectDrawSurface7* primary = nullptr;
    IDirectDrawSurface7* back = nullptr;
    IDirectDrawPalette* palette = nullptr;
    PALETTEENTRY entries[256];
    std::vector<IDirectDrawSurface7*> offscreen;
};
