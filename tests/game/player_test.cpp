// The ship: steering and facing, the clamp to the play field, its animation, the explosion's
// end and the return to the title.
#include <gtest/gtest.h>

#include "game/collision.h"
#include "game/player.h"
#include "support/play_state.h"

namespace {

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlayState(); }

    void Hold(int key, bool down = true) { gKeys[key] = down ? 1 : 0; }
    void Run(int frames) {
        for (int i = 0; i < frames; ++i)
            UpdatePlayer();
    }
};

TEST_F(PlayerTest, SteersByTheArrowsAndOpposedKeysCancel) {
    Hold(VK_DOWN);
    Run(1);
    EXPECT_EQ(gPlayer.y, 448.0) << "already on the bottom";
    Hold(VK_DOWN, false);
    Hold(VK_UP);
    Hold(VK_RIGHT);
    Run(1);
    EXPECT_EQ(gPlayer.x, 388.0);
    EXPECT_EQ(gPlayer.y, 446.0);
    EXPECT_EQ(gPlayer.facing, kFacingRight);

    Hold(VK_LEFT);
    Hold(VK_DOWN);
    Run(1);
    EXPECT_EQ(gPlayer.x, 388.0);
    EXPECT_EQ(gPlayer.y, 446.0);
    EXPECT_EQ(gPlayer.facing, kFacingNone);
}

TEST_F(PlayerTest, IsHeldInsideTheFieldAtEveryEdgeWithTwoKeysHeld) {
    Hold(VK_LEFT);
    Hold(VK_UP);
    Run(300);
    EXPECT_EQ(gPlayer.x, 150.0);
    EXPECT_EQ(gPlayer.y, 0.0);
    EXPECT_EQ(gPlayer.facing, kFacingLeft) << "the clamp leaves facing alone";

    Hold(VK_LEFT, false);
    Hold(VK_UP, false);
    Hold(VK_RIGHT);
    Hold(VK_DOWN);
    Run(300);
    EXPECT_EQ(gPlayer.x, 598.0);
    EXPECT_EQ(gPlayer.y, 448.0);
    EXPECT_EQ(gPlayer.facing, kFacingRight);

    // A fractional overshoot is pulled back exactly onto the edge.
    gPlayer.x = 597.5;
    gPlayer.y = 447.5;
    Run(1);
    EXPECT_EQ(gPlayer.x, 598.0);
    EXPECT_EQ(gPlayer.y, 448.0);
}

TEST_F(PlayerTest, AnimatesTwoFramesEvery200Milliseconds) {
    gNow = 1199;
    Run(1);
    EXPECT_EQ(gPlayer.frame, 0);
    gNow = 1200;
    Run(1);
    EXPECT_EQ(gPlayer.frame, 1);
    gNow = 1400;
    Run(1);
    EXPECT_EQ(gPlayer.frame, 0);
    EXPECT_EQ(gPlayer.life, 1);
}

TEST_F(PlayerTest, ExplosionTimelineEndsTheGameAndReturnsToTheTitle) {
    const DWORD hit = 0xFFFFFF00u;  // the title request falls after the clock wraps
    gNow = hit;
    gActors[5].life = 1;
    gActors[5].kind = kBulletFalling;
    gActors[5].x = 394.0;
    gActors[5].y = 460.0;
    SetRect(&gActors[5].hitRect, 1, 1, 7, 7);
    CheckCollisions();
    ASSERT_EQ(gPlayer.life, 0);
    EXPECT_EQ(gPlayer.width, 16);
    EXPECT_EQ(gPlayer.height, 16);
    EXPECT_EQ(gPlayer.srcRect.top, 256);
    EXPECT_EQ(gPlayer.frameCount, 3);

    const struct {
        DWORD at;
        int frame;
        int life;
    } steps[] = {{hit + 499, 0, 0},  {hit + 500, 1, 0},   {hit + 999, 1, 0},   {hit + 1000, 2, 0},
                 {hit + 1499, 2, 0}, {hit + 1500, 3, -1}, {hit + 6499, 3, -1}, {hit + 6500, 3, -1}};
    Hold(VK_RIGHT);
    Hold(VK_UP);
    double x = gPlayer.x;
    for (const auto& step : steps) {
        gNow = step.at;
        bool wasOver = gPlayer.life == -1;
        UpdatePlayer();
        EXPECT_EQ(gPlayer.frame, step.frame) << step.at - hit;
        EXPECT_EQ(gPlayer.life, step.life) << step.at - hit;
        if (!wasOver)
            x += 2.0;  // still steered, the frame that ends the explosion included
        EXPECT_EQ(gPlayer.x, x) << step.at - hit;
        EXPECT_EQ(gScene, step.at - hit >= 6500 ? kSceneTitleSetup : kSceneGame) << step.at - hit;
    }
    EXPECT_EQ(gPlayer.facing, kFacingRight);
}

TEST_F(PlayerTest, TheExplosionIsClampedWithItsOwnSmallerSize) {
    gPlayer.life = 0;
    SetActorCell(gPlayer, 0, 256, 16, 272);
    gPlayer.frameCount = 3;
    gPlayer.frameInterval = 500;
    Hold(VK_RIGHT);
    Hold(VK_DOWN);
    Run(200);
    EXPECT_EQ(gPlayer.x, 614.0);
    EXPECT_EQ(gPlayer.y, 464.0);
}

}  // namespace
