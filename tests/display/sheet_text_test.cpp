// The bitmap font: one keyed 8x16 glyph per character from the font sheet, 8 pixels apart.
#include <gtest/gtest.h>

#include <ddraw.h>

#include "display/display.h"
#include "display/text.h"
#include "headless.h"
#include "support/game_display.h"

namespace {

constexpr uint8_t kGround = 7;

class SheetTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartGameDisplay();
        DDBLTFX fill{};
        fill.dwSize = sizeof fill;
        fill.dwFillColor = kGround;
        ASSERT_EQ(gBackSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fill), DD_OK);
    }
    void TearDown() override { ReleaseDisplay(); }

    // The smallest box holding every pixel that is no longer the ground colour.
    static RECT InkBox() {
        RECT box = {640, 480, -1, -1};
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                if (HeadlessSurfaceIndex(gBackSurface, x, y) == kGround)
                    continue;
                if (x < box.left)
                    box.left = x;
                if (y < box.top)
                    box.top = y;
                if (x + 1 > box.right)
                    box.right = x + 1;
                if (y + 1 > box.bottom)
                    box.bottom = y + 1;
            }
        }
        return box;
    }

    static bool InkIn(int left, int top, int right, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (HeadlessSurfaceIndex(gBackSurface, x, y) != kGround)
                    return true;
        return false;
    }
};

}  // namespace

TEST_F(SheetTextTest, AnEmptyTextDrawsNothing) {
    EXPECT_EQ(DrawSheetText("", 0, 0, 0), DD_OK);
    EXPECT_EQ(InkBox().right, -1);
}

TEST_F(SheetTextTest, TheZeroScoreCoversItsFourteenCellsInTheYellowRow) {
    ASSERT_EQ(DrawSheetText("SCORE 00000000", 20, 50, 1), DD_OK);
    RECT box = InkBox();
    EXPECT_GE(box.left, 20);
    EXPECT_LE(box.right, 132);
    EXPECT_GE(box.top, 50);
    EXPECT_LE(box.bottom, 66);
    EXPECT_TRUE(InkIn(20, 50, 28, 66)) << "S";
    EXPECT_TRUE(InkIn(124, 50, 132, 66)) << "the last 0";
    EXPECT_FALSE(InkIn(60, 50, 68, 66)) << "the space draws nothing";
    // Row 1 is yellow at its top and bottom rows.
    bool yellow = false;
    for (int y = 50; y < 66; ++y)
        for (int x = 20; x < 132; ++x)
            yellow |= HeadlessSurfaceIndex(gBackSurface, x, y) == 240;
    EXPECT_TRUE(yellow);
}

TEST_F(SheetTextTest, BlankCodesAdvanceAndCodesPastTheSheetFail) {
    EXPECT_EQ(DrawSheetText("_`abcdefghij", 0, 0, 0), DD_OK) << "codes 95 to 106 are blank";
    EXPECT_EQ(InkBox().right, -1);
    EXPECT_EQ(DrawSheetText("A_A", 0, 100, 0), DD_OK);
    EXPECT_TRUE(InkIn(16, 100, 24, 116)) << "the blank still advanced 8 pixels";
    EXPECT_FALSE(InkIn(8, 100, 16, 116));
    EXPECT_EQ(DrawSheetText("k", 0, 200, 0), DDERR_INVALIDRECT) << "code 107 is off the sheet";
    EXPECT_EQ(DrawSheetText("A", 0, 0, 6), DDERR_INVALIDRECT) << "row 6 is off the sheet";
}

TEST_F(SheetTextTest, AFailureStopsTheTextWithTheGlyphsBeforeItDrawn) {
    EXPECT_EQ(DrawSheetText("ABCD\x7f"
                            "EF",
                            0, 300, 0),
              DDERR_INVALIDRECT);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(InkIn(i * 8, 300, i * 8 + 8, 316)) << i;
    EXPECT_FALSE(InkIn(32, 300, 640, 316)) << "nothing after the failing character";
}

TEST_F(SheetTextTest, TextRunningOffTheBackBufferIsRefusedNotClipped) {
    EXPECT_EQ(DrawSheetText("AB", 632, 0, 0), DDERR_INVALIDRECT);
    EXPECT_TRUE(InkIn(632, 0, 640, 16)) << "the glyph that fits is drawn";
    EXPECT_EQ(DrawSheetText("A", 0, 470, 0), DDERR_INVALIDRECT);
}
