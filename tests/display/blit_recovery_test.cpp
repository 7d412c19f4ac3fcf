// BltFastRetry, FlipPrimary and RestoreSurfaces against the real display on the headless
// backend: busy displays, lost surfaces, and which failures reach the caller.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <ddraw.h>

#include "display/blit.h"
#include "display/display.h"
#include "headless.h"
#include "support/game_display.h"

namespace {

class BlitRecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartGameDisplay();
        FillBackBuffer(7);
    }
    void TearDown() override { ReleaseDisplay(); }

    static void FillBackBuffer(DWORD index) {
        DDBLTFX fill{};
        fill.dwSize = sizeof fill;
        fill.dwFillColor = index;
        ASSERT_EQ(gBackSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fill), DD_OK);
    }

    // The enemy's first cell, copied to (200, 200) with the sheet's key.
    static HRESULT CopyEnemy() {
        RECT cell = {0, 128, 48, 176};
        return BltFastRetry(gBackSurface, 200, 200, gCharSurface, &cell, DDBLTFAST_SRCCOLORKEY);
    }

    static bool EnemyDrawn() {
        for (int y = 200; y < 248; ++y)
            for (int x = 200; x < 248; ++x)
                if (HeadlessSurfaceIndex(gBackSurface, x, y) != 7)
                    return true;
        return false;
    }
};

}  // namespace

TEST_F(BlitRecoveryTest, ACopyFromALostSourceRestoresAndReloadsEverySurfaceAndSkipsTheSprite) {
    LPDIRECTDRAWSURFACE7 sheets[] = {gBackImageSurface, gStringsSurface, gTitleSurface,
                                     gCharSurface};
    std::vector<std::vector<uint8_t>> pictures;
    for (LPDIRECTDRAWSURFACE7 sheet : sheets) {
        pictures.push_back(HeadlessSurfaceIndices(sheet));
        HeadlessSetSurfaceIndex(sheet, 5, 5, 3);  // a scar that only a reload removes
    }
    HeadlessLoseSurface(gCharSurface);
    HeadlessClearDebugOutput();

    EXPECT_EQ(CopyEnemy(), DD_OK);
    EXPECT_FALSE(EnemyDrawn()) << "the copy is not repeated after the repair";
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(HeadlessSurfaceLost(sheets[i])) << i;
        EXPECT_EQ(HeadlessSurfaceIndices(sheets[i]), pictures[i]) << "sheet " << i << " reloaded";
    }
    EXPECT_EQ(HeadlessDebugOutput(), "") << "reloads succeed quietly";

    EXPECT_EQ(CopyEnemy(), DD_OK);
    EXPECT_TRUE(EnemyDrawn()) << "the next frame draws it again";
}

TEST_F(BlitRecoveryTest, ALostBackBufferIsRestoredWithItsPrimary) {
    HeadlessLoseAllSurfaces();
    HeadlessSetDisplayRestorable(true);
    EXPECT_EQ(CopyEnemy(), DD_OK);
    for (LPDIRECTDRAWSURFACE7 surface : {gPrimarySurface, gBackSurface, gBackImageSurface,
                                         gStringsSurface, gTitleSurface, gCharSurface}) {
        EXPECT_FALSE(HeadlessSurfaceLost(surface));
    }
}

TEST_F(BlitRecoveryTest, ABusyCopyIsRetriedUntilItGoesThrough) {
    HeadlessStillDrawing(PlatformOp::BltFast, 1);
    EXPECT_EQ(CopyEnemy(), DD_OK);
    EXPECT_TRUE(EnemyDrawn());

    FillBackBuffer(7);
    HeadlessStillDrawing(PlatformOp::BltFast, 500);
    EXPECT_EQ(CopyEnemy(), DD_OK);
    EXPECT_TRUE(EnemyDrawn());
}

TEST_F(BlitRecoveryTest, OtherFailuresAreReturnedUnchanged) {
    RECT outside = {280, 0, 296, 16};  // runs past the sheet's right edge
    EXPECT_EQ(BltFastRetry(gBackSurface, 0, 0, gCharSurface, &outside, DDBLTFAST_SRCCOLORKEY),
              DDERR_INVALIDRECT);
    HeadlessFailOperation(PlatformOp::BltFast, DDERR_GENERIC, 0, 1);
    EXPECT_EQ(CopyEnemy(), DDERR_GENERIC);
}

TEST_F(BlitRecoveryTest, AnUnrestorablePrimaryTouchesNoOffscreenSurface) {
    HeadlessLoseAllSurfaces();
    HeadlessSetDisplayRestorable(false);
    EXPECT_EQ(CopyEnemy(), DDERR_WRONGMODE);
    EXPECT_TRUE(HeadlessSurfaceLost(gBackImageSurface));
    EXPECT_TRUE(HeadlessSurfaceLost(gCharSurface));
}

TEST_F(BlitRecoveryTest, AFailedTitleRestoreIsSilentAndRepairedByALaterCopy) {
    HeadlessLoseSurface(gTitleSurface);
    HeadlessLoseSurface(gCharSurface);
    // Restores go primary, back image, font, title, sprite sheet, and each reload restores its
    // surface once more: the sixth call is the title's.
    HeadlessFailOperation(PlatformOp::Restore, DDERR_GENERIC, 5, 1);
    EXPECT_EQ(CopyEnemy(), DD_OK) << "only the sprite sheet's restore is reported";
    EXPECT_TRUE(HeadlessSurfaceLost(gTitleSurface));
    EXPECT_FALSE(HeadlessSurfaceLost(gCharSurface));

    RECT logo = {0, 0, 640, 100};
    EXPECT_EQ(BltFastRetry(gBackSurface, 0, 100, gTitleSurface, &logo, DDBLTFAST_SRCCOLORKEY),
              DD_OK);
    EXPECT_FALSE(HeadlessSurfaceLost(gTitleSurface)) << "the next copy from it repairs it";
}

TEST_F(BlitRecoveryTest, AFailedSpriteSheetRestoreIsReported) {
    HeadlessLoseSurface(gCharSurface);
    // The primary restores first, then back image, font and title, each once more by its
    // reload: the eighth call is the sprite sheet's.
    HeadlessFailOperation(PlatformOp::Restore, DDERR_GENERIC, 7, 1);
    EXPECT_EQ(CopyEnemy(), DDERR_GENERIC) << "the sprite sheet's failed restore was swallowed";
    EXPECT_TRUE(HeadlessSurfaceLost(gCharSurface));
}

TEST_F(BlitRecoveryTest, AFlipsOtherFailuresAreReturnedUnchanged) {
    HeadlessFailOperation(PlatformOp::Flip, DDERR_GENERIC, 0, 1);
    EXPECT_EQ(FlipPrimary(), DDERR_GENERIC);
}

TEST_F(BlitRecoveryTest, ALostFlipRestoresThePrimaryAloneAndPresentsNothing) {
    uint32_t presented = HeadlessPresentCount();
    HeadlessLoseAllSurfaces();
    HeadlessSetDisplayRestorable(true);
    EXPECT_EQ(FlipPrimary(), DD_OK);
    EXPECT_EQ(HeadlessPresentCount(), presented);
    EXPECT_FALSE(HeadlessSurfaceLost(gPrimarySurface));
    EXPECT_TRUE(HeadlessSurfaceLost(gCharSurface)) << "left for the next copy to find";

    EXPECT_EQ(FlipPrimary(), DD_OK);
    EXPECT_EQ(HeadlessPresentCount(), presented + 1);
}

TEST_F(BlitRecoveryTest, ABusyFlipIsRetriedAndAFailedRestoreIsReturned) {
    uint32_t presented = HeadlessFlipCount();
    HeadlessStillDrawing(PlatformOp::Flip, 3);
    EXPECT_EQ(FlipPrimary(), DD_OK);
    EXPECT_EQ(HeadlessFlipCount(), presented + 1);

    HeadlessLoseAllSurfaces();
    HeadlessSetDisplayRestorable(false);
    EXPECT_EQ(FlipPrimary(), DDERR_WRONGMODE);
}
