// System-font text on the game's own display: the game's game-over texts land with their
// cells exactly where the game puts them, in one palette colour over an untouched background,
// the same in every frame, and warm frames allocate nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "display/display.h"
#include "display/text.h"
#include "game/actor.h"
#include "game/draw.h"
#include "headless.h"
#include "support/allocation_counter.h"
#include "support/game_display.h"

namespace {

constexpr COLORREF kGameOverColour = 0x00FFFF00;
const char kMincho[] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";
constexpr int kWidth = 640;
constexpr int kHeight = 480;

// The game's game-over texts, with the score "SCORE 00001230".
void DrawGameOverScoring1230() {
    const int score = gPlayer.value;
    gPlayer.value = 1230;
    DrawGameOver();
    gPlayer.value = score;
}

// The entry of the game's palette nearest the text colour (cyan).
uint8_t CyanIndex() {
    const uint8_t* entries = HeadlessPaletteBytes(gPalette);
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        const long red = entries[i * 4] - 0, green = entries[i * 4 + 1] - 255,
                   blue = entries[i * 4 + 2] - 255;
        const long distance = red * red + green * green + blue * blue;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<uint8_t>(best);
}

// A background in which every pixel differs from its neighbours and from the text colour, so
// every pixel the text touches shows.
void FillBackground(uint8_t avoid) {
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            uint8_t index = static_cast<uint8_t>((x + 7 * y) % 256);
            HeadlessSetSurfaceIndex(gBackSurface, x, y, index == avoid ? index + 1 : index);
        }
    }
}

struct Box {
    int left = kWidth, top = kHeight, right = -1, bottom = -1;
    int pixels = 0;
};

// The changed pixels inside [top, bottom) rows; fails if any is not the text colour.
Box Changes(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after, uint8_t ink,
            int top, int bottom) {
    Box box;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const size_t at = static_cast<size_t>(y) * kWidth + x;
            if (before[at] == after[at]) {
                continue;
            }
            EXPECT_EQ(after[at], ink) << x << "," << y;
            ++box.pixels;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x + 1);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    return box;
}

class FontText : public ::testing::Test {
protected:
    void SetUp() override { StartGameDisplay(); }
    void TearDown() override {
        ReleaseDisplay();
        HeadlessReset();
    }
};

std::array<int, 4> Edges(const Box& box) {
    return {box.left, box.top, box.right, box.bottom};
}

TEST_F(FontText, GameOverTextsLandInTheTextColourWithTheirCellsWhereTheGamePutsThem) {
    const uint8_t ink = CyanIndex();
    FillBackground(ink);
    const std::vector<uint8_t> before = HeadlessSurfaceIndices(gBackSurface);
    DrawGameOverScoring1230();
    const std::vector<uint8_t> after = HeadlessSurfaceIndices(gBackSurface);

    const Box outside = Changes(before, after, ink, 0, 180);
    EXPECT_EQ(outside.pixels, 0);
    const Box big = Changes(before, after, ink, 180, 300);
    const Box small = Changes(before, after, ink, 300, kHeight);

    // The ink of cells whose top-left lands at (30, 180), 128 rows high, and at (100, 300), 64
    // rows. The Japanese serif face (IPA Mincho, which the set-up installs) has a cell of 2257
    // units with the baseline 1802 units below its top: 102 rows down in the big cell, 51 in
    // the small one. Capitals' round tops rise 1573 units above the baseline and round bottoms
    // end 74 above it, so "Game Over" inks rows 193 to 277 and the score rows 306 to 348; "G"
    // and "S" start 8 and 4 columns in and the last glyphs end at 545 and 503, as the face's
    // hinting places them. One pixel off in any direction shows here.
    EXPECT_EQ(Edges(big), (std::array<int, 4>{38, 193, 545, 278}));
    EXPECT_EQ(Edges(small), (std::array<int, 4>{104, 306, 503, 349}));
    // Strokes, not blocks: ink covers well under half of each box.
    EXPECT_LT(big.pixels, (big.right - big.left) * (big.bottom - big.top) / 2);
    EXPECT_GT(big.pixels, 2000);
    EXPECT_LT(small.pixels, (small.right - small.left) * (small.bottom - small.top) / 2);
    EXPECT_GT(small.pixels, 1000);
}

// What GDI itself draws for a font description; the game's texts must look exactly so.
constexpr LONG kBoldWeight = 700;
constexpr BYTE kAnsiCharSet = 0;

struct Description {
    LONG weight = FW_NORMAL;
    BYTE italic = 0;
    BYTE charSet = SHIFTJIS_CHARSET;
};

void DrawWithGdi(int x, int y, const char* text, int height, const Description& wanted) {
    LOGFONTA description;
    ZeroMemory(&description, sizeof description);
    description.lfHeight = height;
    description.lfWeight = wanted.weight;
    description.lfItalic = wanted.italic;
    description.lfCharSet = wanted.charSet;
    strncpy(description.lfFaceName, kMincho, sizeof description.lfFaceName - 1);
    HFONT font = CreateFontIndirectA(&description);
    HDC context;
    ASSERT_EQ(gBackSurface->GetDC(&context), DD_OK);
    HGDIOBJ previous = SelectObject(context, font);
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, kGameOverColour);
    TextOutA(context, x, y, text, static_cast<int>(strlen(text)));
    SelectObject(context, previous);
    gBackSurface->ReleaseDC(context);
    DeleteObject(font);
}

std::vector<uint8_t> GameOverByGdi(const Description& description) {
    FillBackground(CyanIndex());
    DrawWithGdi(30, 180, "Game Over", 128, description);
    DrawWithGdi(100, 300, "SCORE 00001230", 64, description);
    return HeadlessSurfaceIndices(gBackSurface);
}

std::vector<uint8_t> GameOverByTheGame() {
    FillBackground(CyanIndex());
    DrawGameOverScoring1230();
    return HeadlessSurfaceIndices(gBackSurface);
}

TEST_F(FontText, GameOverIsTheMinchoFaceAtNormalWeightUprightInShiftJis) {
    const std::vector<uint8_t> expected = GameOverByGdi(Description{});
    // Each property changes the picture, so the comparison below can tell them apart.
    ASSERT_NE(GameOverByGdi(Description{.weight = kBoldWeight}), expected);
    ASSERT_NE(GameOverByGdi(Description{.italic = 1}), expected);
    ASSERT_NE(GameOverByGdi(Description{.charSet = kAnsiCharSet}), expected);

    EXPECT_TRUE(GameOverByTheGame() == expected)
        << "the game-over texts are not drawn with the normal-weight, upright, Shift-JIS "
           "description of the Mincho face at (30, 180) height 128 and (100, 300) height 64";
}

TEST_F(FontText, EveryFrameDrawsTheSamePixels) {
    const uint8_t ink = CyanIndex();
    FillBackground(ink);
    DrawGameOverScoring1230();
    const std::vector<uint8_t> first = HeadlessSurfaceIndices(gBackSurface);
    FillBackground(ink);
    DrawGameOverScoring1230();
    EXPECT_EQ(HeadlessSurfaceIndices(gBackSurface), first);

    // Many other sizes in between push the game's fonts out of the cache; they come back the
    // same.
    for (int height = 10; height < 200; height += 15) {
        DrawFontText(0, 0, "Game Over 0123456789", kGameOverColour, height, kMincho, 0);
    }
    FillBackground(ink);
    DrawGameOverScoring1230();
    EXPECT_EQ(HeadlessSurfaceIndices(gBackSurface), first);
}

TEST_F(FontText, WithoutAContextNothingIsDrawnAndTheFontIsStillDeleted) {
    FillBackground(CyanIndex());
    const std::vector<uint8_t> before = HeadlessSurfaceIndices(gBackSurface);
    HeadlessFailOperation(PlatformOp::GetDC, DDERR_GENERIC);
    // Fonts that were not deleted would outgrow the fixed pool and come from the heap.
    const size_t allocations = AllocationCount();
    for (int i = 0; i < 100; ++i) {
        DrawGameOverScoring1230();
    }
    EXPECT_EQ(AllocationCount(), allocations);
    EXPECT_EQ(HeadlessSurfaceIndices(gBackSurface), before);
}

TEST_F(FontText, WarmGameOverFramesAllocateNothing) {
    DrawGameOverScoring1230();
    const size_t allocations = AllocationCount();
    for (int i = 0; i < 100; ++i) {
        DrawGameOverScoring1230();
    }
    EXPECT_EQ(AllocationCount(), allocations);
}

}  // namespace
