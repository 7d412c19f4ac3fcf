// The software DirectDraw against what the game relies on from the real one.
#include "platform/ddraw_fixture.h"

#include <algorithm>

#include "platform/src/display_control.h"

// Values and layouts shared with the Windows headers.
static_assert(DDERR_INVALIDRECT == static_cast<HRESULT>(0x88760096));
static_assert(DDERR_SURFACELOST == static_cast<HRESULT>(0x887601C2));
static_assert(DDERR_WASSTILLDRAWING == static_cast<HRESULT>(0x8876021C));
static_assert(DDERR_WRONGMODE == static_cast<HRESULT>(0x8876024B));
static_assert(DDERR_DCALREADYCREATED == static_cast<HRESULT>(0x8876026C));
static_assert(DDSCL_EXCLUSIVE + DDSCL_FULLSCREEN + DDSCL_ALLOWREBOOT == 0x13);
static_assert((DDSD_CAPS | DDSD_BACKBUFFERCOUNT) == 0x21);
static_assert((DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX) == 0x218);
static_assert(DDSCAPS_OFFSCREENPLAIN == 0x40 && DDSCAPS_BACKBUFFER == 4);
static_assert(DDCKEY_SRCBLT == 8 && DDPCAPS_8BIT == 4 && DDBLTFAST_SRCCOLORKEY == 1);
static_assert(sizeof(DDCOLORKEY) == 8 && sizeof(DDSCAPS2) == 16 && sizeof(PALETTEENTRY) == 4);
static_assert(sizeof(DDPIXELFORMAT) == 32);
static_assert(offsetof(DDSURFACEDESC2, ddsCaps) == (sizeof(void*) == 4 ? 0x68 : 0x70));
static_assert(offsetof(DDBLTFX, dwFillColor) == (sizeof(void*) == 4 ? 80 : 104));
static_assert(sizeof(DDBLTFX) == (sizeof(void*) == 4 ? 100 : 128));

TEST(DirectDrawCreate, AnswersOnlyTheDirectDraw7Interface) {
    HeadlessReset();
    EXPECT_EQ(IID_IDirectDraw7.Data1, 0x15E65EC0u);
    EXPECT_EQ(IID_IDirectDraw7.Data2, 0x3B9C);
    EXPECT_EQ(IID_IDirectDraw7.Data3, 0x11D2);
    const BYTE tail[8] = {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B};
    EXPECT_EQ(memcmp(IID_IDirectDraw7.Data4, tail, 8), 0);

    void* object = reinterpret_cast<void*>(1);
    EXPECT_NE(DirectDrawCreateEx(nullptr, &object, IID_IUnknown, nullptr), DD_OK);
    EXPECT_EQ(object, nullptr);

    HeadlessFailOperation(PlatformOp::DirectDrawCreateEx, DDERR_INVALIDMODE, 0, 1);
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DDERR_INVALIDMODE);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
    IDirectDraw7* directDraw = static_cast<IDirectDraw7*>(object);

    // The flipping chain needs exclusive mode first.
    DDSURFACEDESC2 desc = {};
    desc.dwSize = 124;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8, 0, 0), DDERR_NOCOOPERATIVELEVELSET);
    directDraw->Release();
}

TEST_F(DisplayTest, PrimaryChainAndOffscreenSurfacesDescribeThemselves) {
    DDSURFACEDESC2 desc = {};
    desc.dwSize = 124;  // what 32-bit Windows code passes
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    ASSERT_EQ(back->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 640u);
    EXPECT_EQ(desc.dwHeight, 480u);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_BACKBUFFER);

    IDirectDrawSurface7* sheet = MakeOffscreen(6, 3);
    desc = {};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(sheet->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    EXPECT_EQ(desc.dwWidth, 6u);
    EXPECT_EQ(desc.dwHeight, 3u);
    EXPECT_GE(desc.lPitch, 6);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 8u);
    static_cast<uint8_t*>(desc.lpSurface)[desc.lPitch * 2 + 5] = 77;
    EXPECT_EQ(sheet->Unlock(nullptr), DD_OK);
    EXPECT_EQ(HeadlessSurfaceIndex(sheet, 5, 2), 77);

    desc.dwSize = 100;
    EXPECT_EQ(sheet->Lock(nullptr, &desc, 0, nullptr), DDERR_INVALIDPARAMS);

    // One display, one primary.
    desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    IDirectDrawSurface7* second = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &second, nullptr),
              DDERR_PRIMARYSURFACEALREADYEXISTS);
    EXPECT_EQ(second, nullptr);
}

TEST_F(DisplayTest, BltFastRefusesWhatItWouldHaveToClipAndDrawsNothing) {
    IDirectDrawSurface7* sheet = MakeOffscreen(32, 16);
    FillPattern(sheet, 32, 16);
    struct Case {
        RECT source;
        DWORD x;
        DWORD y;
    };
    const Case refused[] = {
        {{-1, 0, 8, 8}, 0, 0},             // starts left of the source
        {{0, -1, 8, 8}, 0, 0},             // above it
        {{25, 0, 33, 8}, 0, 0},            // past its right edge
        {{0, 9, 8, 17}, 0, 0},             // past its bottom
        {{4, 4, 4, 8}, 0, 0},              // empty
        {{8, 4, 4, 8}, 0, 0},              // inverted
        {{0, 8, 8, 4}, 0, 0},              // inverted vertically
        {{0, 0, 16, 16}, 625, 0},          // one column past the destination's right edge
        {{0, 0, 16, 16}, 0, 465},          // one row past its bottom
        {{0, 0, 16, 16}, 0xFFFFFFF8u, 0},  // a position that would wrap round
    };
    for (const Case& c : refused) {
        RECT source = c.source;
        EXPECT_EQ(back->BltFast(c.x, c.y, sheet, &source, DDBLTFAST_NOCOLORKEY), DDERR_INVALIDRECT)
            << c.source.left << "," << c.source.top << "," << c.source.right << ","
            << c.source.bottom << " at " << c.x << "," << c.y;
    }
    const std::vector<uint8_t> pixels = HeadlessSurfaceIndices(back);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0), 640 * 480) << "nothing was drawn";

    // Touching the far edges exactly is fine.
    RECT fits = {16, 0, 32, 16};
    EXPECT_EQ(back->BltFast(624, 464, sheet, &fits, DDBLTFAST_NOCOLORKEY), DD_OK);
    EXPECT_EQ(HeadlessSurfaceIndex(back, 639, 479), (31 + 7 * 15) % 256);
    EXPECT_EQ(HeadlessSurfaceIndex(back, 624, 464), 16);
}

TEST_F(DisplayTest, BltFastCopiesTheRectangleAndSkipsExactlyTheKeyValue) {
    IDirectDrawSurface7* sheet = MakeOffscreen(16, 8);
    FillPattern(sheet, 16, 8);
    RECT rect = {2, 1, 10, 5};
    ASSERT_EQ(back->BltFast(100, 200, sheet, &rect, DDBLTFAST_NOCOLORKEY), DD_OK);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(HeadlessSurfaceIndex(back, 100 + x, 200 + y), (2 + x + 7 * (1 + y)) % 256);
        }
    }
    EXPECT_EQ(HeadlessSurfaceIndex(back, 108, 200), 0);
    EXPECT_EQ(HeadlessSurfaceIndex(back, 99, 200), 0);

    // Key value 12: its neighbours 11 and 13 are copied.
    DDCOLORKEY key = {12, 12};
    ASSERT_EQ(sheet->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    DDBLTFX fx = {};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = 200;
    ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    ASSERT_EQ(back->BltFast(0, 0, sheet, nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int value = (x + 7 * y) % 256;
            ASSERT_EQ(HeadlessSurfaceIndex(back, x, y), value == 12 ? 200 : value);
        }
    }
}

TEST_F(DisplayTest, ColourFillCoversTheSurfaceWithOneIndex) {
    DDBLTFX fx = {};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = 128;
    ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    const std::vector<uint8_t> pixels = HeadlessSurfaceIndices(back);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 128), 640 * 480);
    RECT outside = {600, 0, 641, 10};
    EXPECT_EQ(back->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDRECT);
}

TEST_F(DisplayTest, FlipSwapsTheChainAndPresentsTheNewFrontThroughThePalette) {
    HeadlessSetSurfaceIndex(primary, 0, 0, 1);
    HeadlessSetSurfaceIndex(back, 0, 0, 2);
    HeadlessSetSurfaceIndex(back, 639, 479, 250);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);

    EXPECT_EQ(HeadlessSurfaceIndex(primary, 0, 0), 2);
    EXPECT_EQ(HeadlessSurfaceIndex(back, 0, 0), 1) << "the back buffer holds the previous front";
    DDSCAPS2 caps = {};
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    IDirectDrawSurface7* attached = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &attached), DD_OK);
    EXPECT_EQ(attached, back) << "the surfaces keep their identity";

    EXPECT_EQ(HeadlessPresentCount(), 1u);
    ASSERT_EQ(HeadlessPresentedWidth(), 640);
    ASSERT_EQ(HeadlessPresentedHeight(), 480);
    EXPECT_EQ(HeadlessPresentedPixel(0, 0), (HeadlessRgb{2, 253, 1}));
    EXPECT_EQ(HeadlessPresentedPixel(639, 479), (HeadlessRgb{250, 5, 125}));
    EXPECT_EQ(HeadlessPresentedIndex(639, 479), 250);

    EXPECT_EQ(back->Flip(nullptr, 0), DDERR_NOTFLIPPABLE);
}

TEST_F(DisplayTest, ThePaletteShowsEntriesZeroAnd255AsBlackAndWhiteUnlessAllowed) {
    HeadlessSetSurfaceIndex(back, 0, 0, 0);
    HeadlessSetSurfaceIndex(back, 1, 0, 255);
    HeadlessSetSurfaceIndex(back, 2, 0, 1);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(HeadlessPresentedPixel(0, 0), (HeadlessRgb{0, 0, 0}));
    EXPECT_EQ(HeadlessPresentedPixel(1, 0), (HeadlessRgb{255, 255, 255}));
    EXPECT_EQ(HeadlessPresentedPixel(2, 0), (HeadlessRgb{1, 254, 0}));

    IDirectDrawPalette* all256 = nullptr;
    ASSERT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &all256, nullptr),
              DD_OK);
    ASSERT_EQ(primary->SetPalette(all256), DD_OK);
    all256->Release();
    HeadlessSetSurfaceIndex(back, 0, 0, 0);
    HeadlessSetSurfaceIndex(back, 1, 0, 255);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(HeadlessPresentedPixel(0, 0), (HeadlessRgb{0, 255, 0}));
    EXPECT_EQ(HeadlessPresentedPixel(1, 0), (HeadlessRgb{255, 0, 127}));
}

// Each frame here changes a pixel, flips and sleeps 1 ms after, as in the game's loop; the
// times are those of the presents. Frames cost nothing, so each is shown as it wakes, by the
// same margin before its due time once a couple of seconds of frames are known.
TEST_F(DisplayTest, FlipPacesTo60PerSecondBySleepingWithoutBurstsAfterALateFrame) {
    uint8_t corner = 0;
    const auto frame = [&] {
        HeadlessSetSurfaceIndex(back, 0, 0, ++corner);
        EXPECT_EQ(primary->Flip(nullptr, 0), DD_OK);
        const uint64_t shown = HeadlessLastPresentMicroseconds();
        Sleep(1);
        return shown;
    };
    HeadlessSetTime(0xFFFFFF00u);  // across the wrap of the millisecond clock
    for (int i = 0; i < 130; ++i) {
        frame();
    }
    const uint64_t first = frame();
    uint64_t last = first;
    for (int i = 0; i < 60; ++i) {
        last = frame();
    }
    EXPECT_EQ(last - first, 1000000u) << "60 intervals of 16 2/3 ms";

    // A frame that arrives 200 ms late is shown at once; the next one waits about a frame.
    HeadlessAdvanceTime(200);
    const uint64_t anchor = HeadlessMicroseconds();
    EXPECT_EQ(frame(), anchor);
    const uint64_t next = frame();
    EXPECT_GT(next, anchor + 16666 - 1000) << "the frame after a late one came in a burst";
    EXPECT_LE(next, anchor + 16666);

    // A frame a few milliseconds late keeps the schedule: the one after it is on the old beat.
    HeadlessAdvanceTime(5);
    const uint64_t late = HeadlessMicroseconds();
    EXPECT_EQ(frame(), late);
    EXPECT_GT(late, next + 16667);
    EXPECT_EQ(frame(), next + 33334);
}

TEST_F(DisplayTest, LostSurfacesRefuseUntilRestoredAndKeepKeysAndPalette) {
    IDirectDrawSurface7* sheet = MakeOffscreen(8, 8);
    DDCOLORKEY key = {145, 145};
    ASSERT_EQ(sheet->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);

    PlatformLoseAllSurfaces();
    RECT rect = {0, 0, 8, 8};
    HDC dc = nullptr;
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(back->BltFast(0, 0, sheet, &rect, DDBLTFAST_SRCCOLORKEY), DDERR_SURFACELOST);
    EXPECT_EQ(primary->Flip(nullptr, 0), DDERR_SURFACELOST);
    EXPECT_EQ(sheet->Lock(nullptr, &desc, 0, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(sheet->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(HeadlessPresentCount(), 0u);

    // Minimised: not restorable yet.
    PlatformSetDisplayRestorable(false);
    EXPECT_EQ(primary->Restore(), DDERR_WRONGMODE);
    PlatformSetDisplayRestorable(true);

    // The primary brings its back buffer; the sheet is still lost.
    ASSERT_EQ(primary->Restore(), DD_OK);
    EXPECT_FALSE(HeadlessSurfaceLost(back));
    EXPECT_EQ(back->BltFast(0, 0, sheet, &rect, DDBLTFAST_SRCCOLORKEY), DDERR_SURFACELOST);
    ASSERT_EQ(sheet->Restore(), DD_OK);
    EXPECT_EQ(sheet->Restore(), DD_OK) << "restoring a surface that is not lost is harmless";

    // The key survived: 145 is still skipped.
    HeadlessSetSurfaceIndex(sheet, 0, 0, 145);
    HeadlessSetSurfaceIndex(sheet, 1, 0, 9);
    HeadlessSetSurfaceIndex(back, 0, 0, 3);
    ASSERT_EQ(back->BltFast(0, 0, sheet, &rect, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(HeadlessSurfaceIndex(back, 0, 0), 3);
    EXPECT_EQ(HeadlessSurfaceIndex(back, 1, 0), 9);

    // So did the palette: the presented colour of index 9 is palette entry 9.
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(HeadlessPresentedPixel(1, 0), (HeadlessRgb{9, 246, 4}));

    // A single lost source is reported too.
    HeadlessLoseSurface(sheet);
    EXPECT_EQ(back->BltFast(0, 0, sheet, &rect, 0), DDERR_SURFACELOST);
    HeadlessLoseSurface(primary);
    EXPECT_EQ(primary->Flip(nullptr, 0), DDERR_SURFACELOST);
}

TEST_F(DisplayTest, DeviceContextsAndLocksExcludeEachOther) {
    IDirectDrawSurface7* sheet = MakeOffscreen(4, 4);
    HDC dc = nullptr;
    HDC again = nullptr;
    ASSERT_EQ(sheet->GetDC(&dc), DD_OK);
    EXPECT_EQ(sheet->GetDC(&again), DDERR_DCALREADYCREATED);
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(sheet->Lock(nullptr, &desc, 0, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(sheet->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(sheet->ReleaseDC(dc), DDERR_NODC);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID) << "a released context no longer draws";
    ASSERT_EQ(sheet->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    EXPECT_EQ(sheet->GetDC(&dc), DDERR_SURFACEBUSY);
    EXPECT_EQ(sheet->Unlock(nullptr), DD_OK);
}

TEST_F(DisplayTest, InjectedFaultsAnswerForTheirCallsAndThenStop) {
    IDirectDrawSurface7* sheet = MakeOffscreen(4, 4);
    HeadlessStillDrawing(PlatformOp::BltFast, 2);
    HeadlessStillDrawing(PlatformOp::Flip, 1);
    HeadlessStillDrawing(PlatformOp::Lock, 3);
    EXPECT_EQ(back->BltFast(0, 0, sheet, nullptr, 0), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(back->BltFast(0, 0, sheet, nullptr, 0), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(back->BltFast(0, 0, sheet, nullptr, 0), DD_OK);
    EXPECT_EQ(primary->Flip(nullptr, 0), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(primary->Flip(nullptr, 0), DD_OK);
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    int tries = 1;
    while (sheet->Lock(nullptr, &desc, 0, nullptr) == DDERR_WASSTILLDRAWING) {
        ++tries;
    }
    EXPECT_EQ(tries, 4);
    sheet->Unlock(nullptr);

    // The second offscreen surface fails, once.
    HeadlessFailOperation(PlatformOp::CreateSurfaceOffscreen, DDERR_OUTOFMEMORY, 1, 1);
    EXPECT_NE(MakeOffscreen(4, 4), nullptr);
    DDSURFACEDESC2 offscreenDesc = {};
    offscreenDesc.dwSize = sizeof(offscreenDesc);
    offscreenDesc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    offscreenDesc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    offscreenDesc.dwWidth = offscreenDesc.dwHeight = 4;
    IDirectDrawSurface7* failed = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&offscreenDesc, &failed, nullptr), DDERR_OUTOFMEMORY);
    EXPECT_EQ(failed, nullptr);
    EXPECT_NE(MakeOffscreen(4, 4), nullptr);

    HeadlessFailOperation(PlatformOp::SetPalette, DDERR_INVALIDOBJECT);
    EXPECT_EQ(primary->SetPalette(palette), DDERR_INVALIDOBJECT);
    HeadlessReset();
    EXPECT_EQ(primary->SetPalette(palette), DD_OK) << "a reset clears every injected fault";
}

TEST_F(DisplayTest, ReleasingThePrimaryTakesTheBackBufferAndFreesTheDisplay) {
    back->AddRef();  // what a second GetAttachedSurface would do
    EXPECT_EQ(primary->Release(), 0u);
    primary = nullptr;
    // A new chain can be made; the old back buffer went with its primary (the sanitizer build
    // reports it if it leaked).
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    ASSERT_EQ(directDraw->CreateSurface(&desc, &primary, nullptr), DD_OK);
}
