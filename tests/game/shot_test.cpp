// The ship's single shot: firing from the ship, climbing, and freeing above the field.
#include <gtest/gtest.h>

#include "game/collision.h"
#include "game/player.h"
#include "game/shot.h"
#include "support/play_state.h"

namespace {

class ShotTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlayState(); }
};

TEST_F(ShotTest, FiresCentredOnTheShipAndMovesInTheSameFrame) {
    UpdateShot();
    EXPECT_EQ(gShot.life, 0) << "not without space";
    gKeys[VK_SPACE] = 1;
    UpdateShot();
    EXPECT_EQ(gShot.life, 1);
    EXPECT_EQ(gShot.x, 394.0);
    EXPECT_EQ(gShot.y, 430.0);
    UpdateShot();
    EXPECT_EQ(gShot.x, 394.0);
    EXPECT_EQ(gShot.y, 428.0) << "one shot at a time while space stays held";
}

TEST_F(ShotTest, KeepsPaceWithAShipMovingUp) {
    gKeys[VK_SPACE] = 1;
    gKeys[VK_UP] = 1;
    for (int i = 0; i < 50; ++i) {
        UpdatePlayer();
        UpdateShot();
        ASSERT_EQ(gPlayer.y - (gShot.y + gShot.height), 2.0);
    }
}

TEST_F(ShotTest, IsFreedOnlyOnceItPassesTheTopAndTheNextLeavesAFrameLater) {
    gKeys[VK_SPACE] = 1;
    gPlayer.y = 200.0;
    gShot.life = 1;
    gShot.y = 2.0;
    UpdateShot();
    EXPECT_EQ(gShot.y, 0.0);
    EXPECT_EQ(gShot.life, 1) << "touching the top is still in flight";
    UpdateShot();
    EXPECT_EQ(gShot.life, 0);
    UpdateShot();
    EXPECT_EQ(gShot.life, 1);
    EXPECT_EQ(gShot.y, 182.0);
}

TEST_F(ShotTest, FromTheTopOfTheFieldItNeverFliesOrScores) {
    gKeys[VK_SPACE] = 1;
    PlaceEnemy(0, kEnemyStraight, 386.0, -30.0);  // its box covers the shot's whole path
    gPlayer.y = 16.0;
    UpdateShot();
    EXPECT_EQ(gShot.life, 0) << "fired at 0, moved to -2 and freed";
    CheckCollisions();
    EXPECT_EQ(gActors[0].life, 1);
    EXPECT_EQ(gPlayer.value, 0);

    gPlayer.y = 15.0;
    UpdateShot();
    EXPECT_EQ(gShot.life, 0) << "no room above the ship: not fired";
}

}  // namespace
