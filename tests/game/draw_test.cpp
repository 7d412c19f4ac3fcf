// The pictures of the title and of a game: each band and actor comes from the sheet cell its
// state names, and the ship lies on top of everything else.
#include <gtest/gtest.h>

#include <cstdlib>

#include "display/display.h"
#include "game/bullet.h"
#include "game/collision.h"
#include "game/draw.h"
#include "game/title.h"
#include "support/play_state.h"
#include "support/sheet_pixels.h"
#include "headless.h"

namespace {

constexpr BYTE kKey = 145;   // every sheet's transparent entry after loading
constexpr BYTE kNavy = 128;  // the title's ground; no sprite uses it

RECT Cell(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

int ShipX() {
    return TruncatePosition(gPlayer.x);
}
int ShipY() {
    return TruncatePosition(gPlayer.y);
}

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetPlayState();
        FillBackBuffer(kNavy);
    }

    // Draws the game's actors over a navy ground.
    void Draw() {
        FillBackBuffer(kNavy);
        ASSERT_EQ(DrawGame(), DD_OK);
    }
};

TEST_F(DrawTest, TheShipShowsThePairOfItsFacingAndTheMemberOfItsFrame) {
    const struct {
        int facing;
        const char* name;
    } facings[] = {{kFacingNone, "still"}, {kFacingRight, "right"}, {kFacingLeft, "left"}};
    for (const auto& f : facings) {
        for (int frame = 0; frame < 2; ++frame) {
            gPlayer.facing = f.facing;
            gPlayer.frame = frame;
            Draw();
            const RECT cell = Cell(64 + f.facing * 64 + frame * 32, 0, 32, 32);
            EXPECT_EQ(PixelsNotShowing(gCharSurface, cell, kKey, ShipX(), ShipY(), kNavy), 0)
                << "the ship facing " << f.name << " in frame " << frame
                << " is not the sheet's cell " << DescribeCell(cell);
        }
    }
}

TEST_F(DrawTest, TheExplosionsFramesDoNotMoveWithTheFacing) {
    PlaceEnemy(0, kEnemyStraight, gPlayer.x, gPlayer.y);
    CheckCollisions();
    ASSERT_EQ(gPlayer.life, 0) << "the ship should be exploding";
    gActors[0].life = 0;  // out of the picture
    for (int facing : {kFacingNone, kFacingRight, kFacingLeft}) {
        for (int frame = 0; frame < 3; ++frame) {
            gPlayer.facing = facing;
            gPlayer.frame = frame;
            Draw();
            const RECT cell = Cell(frame * 16, 256, 16, 16);
            EXPECT_EQ(PixelsNotShowing(gCharSurface, cell, kKey, ShipX(), ShipY(), kNavy), 0)
                << "explosion frame " << frame << " with facing " << facing
                << " is not the sheet's cell " << DescribeCell(cell);
        }
    }
}

TEST_F(DrawTest, EnemiesAndBulletsShowTheirCurrentAnimationFrame) {
    Actor& enemy = PlaceEnemy(0, kEnemyStraight, 200, 100);
    SpawnBullet(&enemy, kBulletFalling);
    Actor& bullet = gActors[kFirstBulletSlot];
    bullet.x = 400;
    bullet.y = 300;
    Draw();
    EXPECT_EQ(PixelsNotShowing(gCharSurface, Cell(0, 128, 48, 48), kKey, 200, 100, kNavy), 0)
        << "a new enemy does not start with its first frame";
    EXPECT_EQ(PixelsNotShowing(gCharSurface, Cell(0, 376, 8, 8), kKey, 400, 300, kNavy), 0)
        << "a new bullet does not start with its first frame";
    for (int frame = 0; frame < 6; ++frame) {
        enemy.frame = frame;
        bullet.frame = frame;
        Draw();
        const RECT enemyCell = Cell(frame * 48, 128, 48, 48);
        EXPECT_EQ(PixelsNotShowing(gCharSurface, enemyCell, kKey, 200, 100, kNavy), 0)
            << "an enemy in frame " << frame << " is not the sheet's cell "
            << DescribeCell(enemyCell);
        const RECT bulletCell = Cell(frame * 8, 376, 8, 8);
        EXPECT_EQ(PixelsNotShowing(gCharSurface, bulletCell, kKey, 400, 300, kNavy), 0)
            << "a bullet in frame " << frame << " is not the sheet's cell "
            << DescribeCell(bulletCell);
    }
}

TEST_F(DrawTest, TheShipLiesOverEnemiesBulletsAndTheShotAndTheShotOverEnemies) {
    const RECT shipCell = Cell(64, 0, 32, 32);
    const RECT enemyCell = Cell(0, 128, 48, 48);
    const RECT shotCell = gShot.srcRect;
    // An enemy and a bullet right over the ship (the enemy as low as the screen allows), the
    // shot over its upper half.
    PlaceEnemy(0, kEnemyStraight, gPlayer.x - 8, 480 - 48);
    SpawnBullet(&gActors[0], kBulletFalling);
    gActors[kFirstBulletSlot].x = gPlayer.x + 12;
    gActors[kFirstBulletSlot].y = gPlayer.y + 12;
    gShot.life = 1;
    gShot.x = gPlayer.x + 8;
    gShot.y = gPlayer.y - 8;
    Draw();
    ASSERT_GT(OpaquePixels(gCharSurface, shipCell, kKey), 100);
    EXPECT_EQ(OpaquePixelsHidden(gCharSurface, shipCell, kKey, ShipX(), ShipY()), 0)
        << "part of the ship is hidden: it must be drawn after enemies, bullets and the shot";

    // Away from the ship, the shot over an enemy.
    PlaceEnemy(0, kEnemyStraight, 300, 100);
    gShot.x = 316;
    gShot.y = 120;
    Draw();
    EXPECT_EQ(OpaquePixelsHidden(gCharSurface, shotCell, kKey, 316, 120), 0)
        << "part of the shot is hidden: it must be drawn after the enemies";
    EXPECT_GT(OpaquePixelsHidden(gCharSurface, enemyCell, kKey, 300, 100), 0)
        << "the shot should cover part of the enemy";
}

TEST_F(DrawTest, AFailedSpriteStopsTheDrawingAndItsCodeIsReturned) {
    PlaceEnemy(0, kEnemyStraight, 620, 100);  // reaches past the screen: the copy is refused
    FillBackBuffer(kNavy);
    EXPECT_EQ(DrawGame(), DDERR_INVALIDRECT) << "an enemy's failed copy was not reported";
    EXPECT_EQ(OpaquePixelsHidden(gCharSurface, gPlayer.srcRect, kKey, ShipX(), ShipY()),
              OpaquePixels(gCharSurface, gPlayer.srcRect, kKey))
        << "the ship was drawn after a failed copy";

    gActors[0].life = 0;
    gShot.life = 1;
    gShot.x = 630;
    gShot.y = 100;
    EXPECT_EQ(DrawGame(), DDERR_INVALIDRECT) << "the shot's failed copy was not reported";
}

// The shot shows only in flight and while the ship is whole: a free shot, or one that flies on
// while the ship explodes, is not drawn.
TEST_F(DrawTest, TheShotShowsOnlyInFlightWhileTheShipIsWhole) {
    const RECT shotCell = gShot.srcRect;
    const int shotPixels = OpaquePixels(gCharSurface, shotCell, kKey);
    gShot.x = 316;
    gShot.y = 120;
    gShot.life = 0;
    Draw();
    EXPECT_EQ(OpaquePixelsHidden(gCharSurface, shotCell, kKey, 316, 120), shotPixels)
        << "a free shot was drawn";

    gShot.life = 1;
    gPlayer.life = 0;  // exploding
    Draw();
    EXPECT_EQ(OpaquePixelsHidden(gCharSurface, shotCell, kKey, 316, 120), shotPixels)
        << "the shot was drawn while the ship explodes";

    gPlayer.life = 1;
    Draw();
    EXPECT_EQ(OpaquePixelsHidden(gCharSurface, shotCell, kKey, 316, 120), 0)
        << "a shot in flight was not drawn";
}

TEST_F(DrawTest, AFailedBackgroundCopyIsReportedBeforeTheScoreIsDrawn) {
    HeadlessFailOperation(PlatformOp::BltFast, DDERR_GENERIC, 0, 1);
    EXPECT_EQ(DrawBackground(), DDERR_GENERIC) << "the background's failed copy was not reported";
}

// The background's top 480 rows fill the screen; the score stands on it at (20, 50) in the
// yellow row of the bitmap font.
TEST_F(DrawTest, TheBackgroundFillsTheScreenAndTheScoreStandsOnItsPanel) {
    gPlayer.value = 1234567;
    ASSERT_EQ(DrawBackground(), DD_OK);
    const char score[] = "SCORE 01234567";
    const RECT scoreBox = {20, 50, 20 + 8 * 14, 66};
    int wrong = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const bool inScore = x >= scoreBox.left && x < scoreBox.right && y >= scoreBox.top &&
                                 y < scoreBox.bottom;
            if (!inScore) {
                wrong += HeadlessSurfaceIndex(gBackSurface, x, y) !=
                         HeadlessSurfaceIndex(gBackImageSurface, x, y);
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "outside the score the screen is not the background's top rows";
    for (int i = 0; score[i] != '\0'; ++i) {
        const RECT glyph = Cell((score[i] - 32) * 8, 16, 8, 16);
        EXPECT_EQ(OpaquePixelsHidden(gStringsSurface, glyph, kKey, 20 + 8 * i, 50), 0)
            << "character " << i << " of \"" << score << "\" is not the yellow glyph at ("
            << 20 + 8 * i << ", 50)";
    }
}

class TitleDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartGameDisplay();
        gScene = kSceneTitleSetup;
        TitleInit(nullptr);
        FillBackBuffer(0);
        ASSERT_EQ(TitleFrame(nullptr), DD_OK);
    }
};

TEST_F(TitleDrawTest, TheLogoAndPromptBandsStandOnNavyAndNothingElseIsDrawn) {
    const RECT logo = {0, 0, 640, 100};
    const RECT prompt = {0, 100, 640, 135};
    EXPECT_EQ(PixelsNotShowing(gTitleSurface, logo, kKey, 0, 100, kNavy), 0)
        << "the logo band (title rows 0 to 99) is not on navy at screen row 100";
    EXPECT_EQ(PixelsNotShowing(gTitleSurface, prompt, kKey, 0, 350, kNavy), 0)
        << "the prompt band (title rows 100 to 134) is not on navy at screen row 350";
    int notNavy = 0;
    for (int y = 0; y < 480; ++y) {
        const bool inBand = (y >= 100 && y < 200) || (y >= 350 && y < 385);
        for (int x = 0; x < 640 && !inBand; ++x) {
            notNavy += HeadlessSurfaceIndex(gBackSurface, x, y) != kNavy;
        }
    }
    EXPECT_EQ(notNavy, 0) << "outside the two bands the title must be plain navy";
}

TEST_F(TitleDrawTest, SpaceHeldAsksForAGameAndTheGeneratorIsSeededFromTheClock) {
    EXPECT_EQ(gScene, kSceneTitle);
    HeadlessKeyDown(VK_SPACE);
    TitleFrame(nullptr);
    EXPECT_EQ(gScene, kSceneGameSetup) << "a held space bar did not start a game";
    HeadlessKeyUp(VK_SPACE);

    gNow = 987654;
    TitleInit(nullptr);
    const int drawn = rand();
    srand(987654);
    EXPECT_EQ(drawn, rand()) << "the title must seed the generator from gNow";
}

// A band whose copy fails ends the frame with its code, before the space bar is read; the next
// frame tries again.
TEST_F(TitleDrawTest, AFailedBandIsReportedAndTheSpaceBarWaitsForAWholeFrame) {
    HeadlessKeyDown(VK_SPACE);
    for (uint32_t band = 0; band < 2; ++band) {
        gScene = kSceneTitle;
        HeadlessFailOperation(PlatformOp::BltFast, DDERR_GENERIC, band, 1);
        EXPECT_EQ(TitleFrame(nullptr), DDERR_GENERIC)
            << "a failed copy of band " << band << " was not reported";
        EXPECT_EQ(gScene, kSceneTitle) << "the space bar was read in a failed frame";
        EXPECT_EQ(TitleFrame(nullptr), DD_OK);
        EXPECT_EQ(gScene, kSceneGameSetup);
    }
    HeadlessKeyUp(VK_SPACE);
}

}  // namespace
