// Loading bitmaps and the palette into DirectDraw objects, matching colours and setting keys.
#include "display/bitmap.h"

#include <cstring>
#include <filesystem>
#include <iterator>
#include <utility>

#include "platform/ddraw_fixture.h"
#include "support/allocation_counter.h"
#include "support/bitmap_bytes.h"

namespace {

// The fixture's display palette as a bitmap colour table: entry i is (i, 255 - i, i / 2).
std::vector<RGBQUAD> DisplayColours() {
    std::vector<RGBQUAD> colours(256);
    for (int i = 0; i < 256; ++i) {
        colours[i] =
            RGBQUAD{static_cast<BYTE>(i / 2), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
    }
    return colours;
}

// A table whose colour i is (i, i, 255 - i) with the reserved byte 0x11.
std::vector<RGBQUAD> OtherColours(int count) {
    std::vector<RGBQUAD> colours(count);
    for (int i = 0; i < count; ++i) {
        colours[i] =
            RGBQUAD{static_cast<BYTE>(255 - i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0x11};
    }
    return colours;
}

PALETTEENTRY Entry(IDirectDrawPalette* palette, int i) {
    PALETTEENTRY entry;
    std::memcpy(&entry, HeadlessPaletteBytes(palette) + i * 4, 4);
    return entry;
}

PALETTEENTRY DefaultEntry(int i) {
    return PALETTEENTRY{static_cast<BYTE>(((i >> 5) & 7) * 255 / 7),
                        static_cast<BYTE>(((i >> 2) & 7) * 255 / 7),
                        static_cast<BYTE>((i & 3) * 255 / 3), 0};
}

bool Same(const PALETTEENTRY& a, const PALETTEENTRY& b) {
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

class BitmapLoadingTest : public DisplayTest {
protected:
    // Loads the palette of `name` and checks entry by entry against `expected(i)`.
    template <typename Expected>
    void ExpectPalette(const char* name, Expected expected) {
        IDirectDrawPalette* loaded = DDLoadPalette(directDraw, name);
        ASSERT_NE(loaded, nullptr);
        for (int i = 0; i < 256; ++i) {
            const PALETTEENTRY want = expected(i);
            const PALETTEENTRY got = Entry(loaded, i);
            ASSERT_TRUE(Same(got, want))
                << name << " entry " << i << ": " << int(got.peRed) << "," << int(got.peGreen)
                << "," << int(got.peBlue) << "," << int(got.peFlags);
        }
        loaded->Release();
    }
};

}  // namespace

// Leaves a pattern where the next calls' locals will be, so that a table entry left unwritten
// shows as 0xAB instead of a zero that happened to be there.
[[gnu::noinline]] void PaintStack() {
    volatile unsigned char junk[16384];
    for (auto& byte : junk) {
        byte = 0xAB;
    }
}

TEST_F(BitmapLoadingTest, EveryEntryOfTheDefaultPaletteIsWrittenWhateverTheStackHeld) {
    PaintStack();
    ExpectPalette(nullptr, DefaultEntry);
}

TEST_F(BitmapLoadingTest, AMissingNameGivesNoSurfaceAndTheDefaultPalette) {
    EXPECT_EQ(DDLoadBitmap(directDraw, "NO_SUCH_BITMAP", 0, 0), nullptr);
    EXPECT_EQ(HeadlessDebugOutput(), "") << "no message for a bitmap that is not found";
    IDirectDrawSurface7* sheet = MakeOffscreen(4, 4);
    EXPECT_EQ(DDReloadBitmap(sheet, "NO_SUCH_BITMAP"), E_FAIL);
    EXPECT_EQ(HeadlessDebugOutput(), "handle is null\n");

    ExpectPalette("NO_SUCH_BITMAP", DefaultEntry);
    IDirectDrawPalette* loaded = DDLoadPalette(directDraw, "NO_SUCH_BITMAP");
    EXPECT_TRUE(Same(Entry(loaded, 128), PALETTEENTRY{145, 0, 0, 0}));
    EXPECT_TRUE(Same(Entry(loaded, 145), PALETTEENTRY{145, 145, 85, 0}));
    EXPECT_TRUE(Same(Entry(loaded, 255), PALETTEENTRY{255, 255, 255, 0}));
    loaded->Release();

    // A null name looks up no resource and opens no file: the armed failures stay armed.
    RegisterTestResource("ARMED", MakeDib(DibLayout{}));
    HeadlessFailOperation(PlatformOp::FindResourceA, E_FAIL, 0, 1);
    HeadlessFailOperation(PlatformOp::OpenFile, E_FAIL, 0, 1);
    ExpectPalette(nullptr, DefaultEntry);
    EXPECT_EQ(FindResourceA(nullptr, "ARMED", RT_BITMAP), nullptr);
    EXPECT_NE(FindResourceA(nullptr, "ARMED", RT_BITMAP), nullptr);
    EXPECT_EQ(_lopen(ZEPHYX_TEST_SOURCE, OF_READ), HFILE_ERROR);
}

TEST_F(BitmapLoadingTest, ResourcePalettesTakeAsManyColoursAsTheHeaderPromises) {
    DibLayout eight;
    eight.colours = OtherColours(256);
    RegisterTestResource("PAL8", MakeDib(eight));
    auto other = [](int i) {
        return PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(255 - i),
                            0};
    };
    ExpectPalette("PAL8", other);

    DibLayout four;
    four.bitCount = 4;
    four.colours = OtherColours(16);
    RegisterTestResource("PAL4", MakeDib(four));
    ExpectPalette("PAL4", [&](int i) { return i < 16 ? other(i) : DefaultEntry(i); });

    DibLayout stated = eight;
    stated.coloursUsed = 20;
    RegisterTestResource("PAL20", MakeDib(stated));
    ExpectPalette("PAL20", [&](int i) { return i < 20 ? other(i) : DefaultEntry(i); });

    for (int bits : {9, 16, 24}) {
        DibLayout deep;
        deep.bitCount = bits;
        deep.coloursUsed = 4;
        deep.colours = OtherColours(4);
        RegisterTestResource("PALDEEP", MakeDib(deep));
        ExpectPalette("PALDEEP", DefaultEntry);
    }

    // A larger header: the table is found right behind it.
    DibLayout wide = eight;
    wide.headerSize = 108;
    RegisterTestResource("PAL108", MakeDib(wide));
    ExpectPalette("PAL108", other);

    // A count above 256 reads 256; a table cut short by the end of the resource reads what
    // is there.
    DibLayout many = eight;
    many.coloursUsed = 100000;
    RegisterTestResource("PALMANY", MakeDib(many));
    ExpectPalette("PALMANY", other);
    std::vector<uint8_t> cut = MakeDib(eight);
    cut.resize(40 + 10 * 4);
    RegisterTestResource("PALCUT", cut);
    ExpectPalette("PALCUT", [&](int i) { return i < 10 ? other(i) : DefaultEntry(i); });

    HeadlessFailOperation(PlatformOp::LockResource, E_FAIL, 0, 1);
    ExpectPalette("PAL8", DefaultEntry);
    EXPECT_EQ(HeadlessDebugOutput(), "lock resource failed\n");
}

TEST_F(BitmapLoadingTest, FilePalettesSwapRedAndBlueOnlyForAPlainHeader) {
    // Table bytes in file order: blue i, green i, red 255 - i, reserved 0x11.
    auto swapped = [](int i) {
        return PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(255 - i),
                            0x11};
    };
    auto raw = [](int i) {
        return PALETTEENTRY{static_cast<BYTE>(255 - i), static_cast<BYTE>(i), static_cast<BYTE>(i),
                            0x11};
    };
    DibLayout eight;
    eight.colours = OtherColours(256);
    const TempFile pal8("pal8.bmp", MakeBmpFile(eight));
    ExpectPalette(pal8.path.c_str(), swapped);

    DibLayout four = eight;
    four.bitCount = 4;
    const TempFile pal4("pal4.bmp", MakeBmpFile(four));
    ExpectPalette(pal4.path.c_str(), [&](int i) { return i < 16 ? swapped(i) : raw(i); });

    DibLayout many = eight;
    many.coloursUsed = 5000;
    const TempFile palMany("palmany.bmp", MakeBmpFile(many));
    ExpectPalette(palMany.path.c_str(), swapped);

    // A 108-byte header is refused: the 1024 bytes at offset 54 stand as they are.
    std::vector<uint8_t> wide = MakeBmpFile(eight);
    wide[14] = 108;
    const TempFile pal108("pal108.bmp", wide);
    ExpectPalette(pal108.path.c_str(), raw);

    // A file too short for the table leaves the default behind its end; all 256 promised
    // entries are still swapped.
    std::vector<uint8_t> cut = MakeBmpFile(eight);
    cut.resize(54 + 4 * 4 + 2);
    const TempFile palCut("palcut.bmp", cut);
    ExpectPalette(palCut.path.c_str(), [&](int i) {
        if (i < 4) {
            return swapped(i);
        }
        PALETTEENTRY entry = DefaultEntry(i);
        if (i == 4) {  // two bytes of the fifth entry arrived
            entry.peRed = 255 - 4;
            entry.peGreen = 4;
        }
        std::swap(entry.peRed, entry.peBlue);
        return entry;
    });
}

TEST_F(BitmapLoadingTest, BitmapsArriveIndexForIndexOrInTheNearestDisplayColours) {
    // Same table as the display: indices unchanged, and a smaller bitmap fills its surface.
    RegisterTestResource("SAME", MakeDib(IndexedDib(2, 2, DisplayColours(), {7, 8, 9, 145})));
    IDirectDrawSurface7* sheet = DDLoadBitmap(directDraw, "SAME", 0, 0);
    ASSERT_NE(sheet, nullptr);
    offscreen.push_back(sheet);
    EXPECT_EQ(HeadlessSurfaceIndices(sheet), (std::vector<uint8_t>{7, 8, 9, 145}));

    IDirectDrawSurface7* large = MakeOffscreen(4, 4);
    ASSERT_EQ(DDReloadBitmap(large, "SAME"), DD_OK);
    EXPECT_EQ(HeadlessSurfaceIndices(large),
              (std::vector<uint8_t>{7, 7, 8, 8, 7, 7, 8, 8, 9, 9, 145, 145, 9, 9, 145, 145}));

    // A foreign table: colour 0 near display entry 60, colour 1 near 201.
    std::vector<RGBQUAD> foreign(256, RGBQUAD{0, 0, 0, 0});
    foreign[0] = RGBQUAD{31, 196, 61, 0};
    foreign[1] = RGBQUAD{99, 53, 202, 0};
    const TempFile foreignFile("FOREIGNFILE", MakeBmpFile(IndexedDib(2, 1, foreign, {0, 1})));
    sheet = DDLoadBitmap(directDraw, foreignFile.path.c_str(), 0, 0);
    ASSERT_NE(sheet, nullptr) << "found as a file when no resource has the name";
    offscreen.push_back(sheet);
    EXPECT_EQ(HeadlessSurfaceIndices(sheet), (std::vector<uint8_t>{60, 201}));
    EXPECT_EQ(HeadlessDebugOutput(), "");
}

// Surface recovery reloads every sheet, as often as the display is lost: each load and reload
// must give its bitmap back.
TEST_F(BitmapLoadingTest, LoadingAndReloadingKeepNothingBehind) {
    RegisterTestResource("KEPT", MakeDib(IndexedDib(2, 2, DisplayColours(), {7, 8, 9, 145})));
    IDirectDrawSurface7* sheet = MakeOffscreen(2, 2);
    ASSERT_EQ(DDReloadBitmap(sheet, "KEPT"), DD_OK);
    const size_t live = LiveAllocationCount();
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(DDReloadBitmap(sheet, "KEPT"), DD_OK);
    }
    EXPECT_EQ(LiveAllocationCount(), live) << "each reload leaves memory behind";
    for (int i = 0; i < 20; ++i) {
        IDirectDrawSurface7* loaded = DDLoadBitmap(directDraw, "KEPT", 0, 0);
        ASSERT_NE(loaded, nullptr);
        loaded->Release();
    }
    EXPECT_EQ(LiveAllocationCount(), live) << "each load leaves memory behind";
    for (int i = 0; i < 20; ++i) {
        HeadlessFailOperation(PlatformOp::CreateSurfaceOffscreen, DDERR_OUTOFMEMORY, 0, 1);
        ASSERT_EQ(DDLoadBitmap(directDraw, "KEPT", 0, 0), nullptr);
    }
    EXPECT_EQ(LiveAllocationCount(), live)
        << "a load whose surface cannot be made leaves its bitmap behind";
}

size_t OpenFileCount() {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                             std::filesystem::directory_iterator()));
}

TEST_F(BitmapLoadingTest, APaletteFileIsClosedOnceRead) {
    const TempFile paletteFile("PALFILE", MakeBmpFile(IndexedDib(2, 1, OtherColours(256), {0, 1})));
    const size_t open = OpenFileCount();
    for (int i = 0; i < 20; ++i) {
        IDirectDrawPalette* palette = DDLoadPalette(directDraw, paletteFile.path.c_str());
        ASSERT_NE(palette, nullptr);
        palette->Release();
    }
    EXPECT_EQ(OpenFileCount(), open) << "the palette file is left open after it is read";
}

TEST_F(BitmapLoadingTest, CopyFailuresAreReportedAndNothingIsCopied) {
    RegisterTestResource("COPY", MakeDib(IndexedDib(2, 2, DisplayColours(), {1, 2, 3, 4})));
    IDirectDrawSurface7* sheet = MakeOffscreen(2, 2);
    EXPECT_EQ(DDCopyBitmap(sheet, nullptr, 0, 0, 0, 0), E_FAIL);

    HeadlessFailOperation(PlatformOp::CreateCompatibleDC, E_FAIL, 0, 1);
    EXPECT_EQ(DDReloadBitmap(sheet, "COPY"), E_FAIL);
    EXPECT_EQ(HeadlessDebugOutput(), "createcompatible dc failed\nddcopybitmap failed\n");
    EXPECT_EQ(HeadlessSurfaceIndices(sheet), (std::vector<uint8_t>{0, 0, 0, 0}));

    HeadlessClearDebugOutput();
    HeadlessFailOperation(PlatformOp::GetDC, DDERR_SURFACEBUSY, 0, 1);
    EXPECT_EQ(DDReloadBitmap(sheet, "COPY"), DDERR_SURFACEBUSY);
    EXPECT_EQ(HeadlessDebugOutput(), "ddcopybitmap failed\n");

    // A lost surface is restored by the copy itself.
    HeadlessLoseSurface(sheet);
    EXPECT_EQ(DDReloadBitmap(sheet, "COPY"), DD_OK);
    EXPECT_EQ(HeadlessSurfaceIndices(sheet), (std::vector<uint8_t>{1, 2, 3, 4}));

    // A surface that cannot be made gives null, silently; a failed copy still gives one.
    HeadlessClearDebugOutput();
    HeadlessFailOperation(PlatformOp::CreateSurfaceOffscreen, DDERR_OUTOFMEMORY, 0, 1);
    EXPECT_EQ(DDLoadBitmap(directDraw, "COPY", 0, 0), nullptr);
    EXPECT_EQ(HeadlessDebugOutput(), "");
    HeadlessFailOperation(PlatformOp::GetDC, DDERR_SURFACEBUSY, 0, 1);
    IDirectDrawSurface7* uncopied = DDLoadBitmap(directDraw, "COPY", 0, 0);
    ASSERT_NE(uncopied, nullptr);
    uncopied->Release();
}

TEST_F(BitmapLoadingTest, MatchingAColourLeavesTheSurfaceAsItWas) {
    IDirectDrawSurface7* sheet = MakeOffscreen(4, 2);
    // The value is read as a whole word from the first pixel; at 8 bits only its low byte is
    // the pixel, so the neighbours must not leak into it.
    for (int x = 1; x < 4; ++x) {
        HeadlessSetSurfaceIndex(sheet, x, 0, 0xA5);
    }
    HeadlessSetSurfaceIndex(sheet, 0, 0, 145);
    EXPECT_EQ(DDMatchColor(sheet, CLR_INVALID), 145u)
        << "the neighbouring pixels were not masked off the first pixel's value";
    EXPECT_EQ(HeadlessSurfaceIndex(sheet, 0, 0), 145);

    const COLORREF colour = RGB(113, 142, 57);  // nearest display entry 113 = (113, 142, 56)
    EXPECT_EQ(DDMatchColor(sheet, colour), 113u);
    EXPECT_EQ(HeadlessSurfaceIndex(sheet, 0, 0), 145) << "pixel (0, 0) is put back";

    ASSERT_EQ(DDSetSourceKey(sheet, colour), DD_OK);
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(sheet->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.ddckCKSrcBlt.dwColorSpaceLowValue, 113u);
    EXPECT_EQ(desc.ddckCKSrcBlt.dwColorSpaceHighValue, 113u);

    // The lock is retried while busy; a lock that fails otherwise gives 0xFFFFFFFF.
    HeadlessStillDrawing(PlatformOp::Lock, 50);
    EXPECT_EQ(DDMatchColor(sheet, CLR_INVALID), 145u);
    HeadlessFailOperation(PlatformOp::Lock, DDERR_SURFACEBUSY, 0, 1);
    EXPECT_EQ(DDMatchColor(sheet, CLR_INVALID), 0xFFFFFFFFu);
    EXPECT_EQ(HeadlessSurfaceIndex(sheet, 0, 0), 145);
}
