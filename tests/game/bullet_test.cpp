// Enemy bullets: firing into the pool, the aim, the edges of the field, a full pool.
#include <gtest/gtest.h>

#include <cmath>

#include "game/bullet.h"
#include "game/game.h"
#include "support/play_state.h"

namespace {

class BulletTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlayState(); }
};

Actor Shooter(double x, double y) {
    Actor shooter{};
    SpawnEnemy(&shooter, kEnemyStraight);
    shooter.x = x;
    shooter.y = y;
    return shooter;
}

Actor StillBullet(int kind, double x, double y) {
    Actor bullet{};
    SetActorCell(bullet, 0, 376, 8, 384);
    bullet.kind = kind;
    bullet.x = x;
    bullet.y = y;
    bullet.life = 1;
    return bullet;
}

TEST_F(BulletTest, StartsAtTheShootersLeftEdgeHalfwayDownAndAimsOnce) {
    Actor shooter = Shooter(386.0, 100.0);
    SpawnBullet(&shooter, kBulletAimed);
    const Actor& below = gActors[5];
    EXPECT_EQ(below.life, 1);
    EXPECT_EQ(below.x, 386.0);
    EXPECT_EQ(below.y, 124.0);
    EXPECT_NEAR(below.vx, 0.0, 1e-12) << "the ship is straight below";
    EXPECT_DOUBLE_EQ(below.vy, 4.0);
    EXPECT_EQ(below.frameCount, 6);
    EXPECT_EQ(below.hitRect.right, 7);

    shooter = Shooter(200.0, 424.0);  // level with the ship, to its left
    SpawnBullet(&shooter, kBulletAimed);
    EXPECT_DOUBLE_EQ(gActors[6].vx, 4.0);
    EXPECT_NEAR(gActors[6].vy, 0.0, 1e-12);

    shooter = Shooter(486.0, 300.0);
    SpawnBullet(&shooter, kBulletAimed);
    EXPECT_DOUBLE_EQ(std::hypot(gActors[7].vx, gActors[7].vy), 4.0);
    EXPECT_NEAR(gActors[7].vy / gActors[7].vx, (448.0 - 324.0) / (386.0 - 486.0), 1e-12);
    EXPECT_LT(gActors[7].vx, 0.0);
    const Actor aimedLeft = gActors[7];
    MoveAimedBullet(&gActors[7]);
    EXPECT_DOUBLE_EQ(gActors[7].x, aimedLeft.x + aimedLeft.vx)
        << "an aimed bullet moves along its aim, towards the ship";
    EXPECT_DOUBLE_EQ(gActors[7].y, aimedLeft.y + aimedLeft.vy);

    gPlayer.x = 150.0;  // the ship moving away does not bend a bullet already fired
    MoveAimedBullet(&gActors[5]);
    EXPECT_NEAR(gActors[5].x, 386.0, 1e-12);
    EXPECT_EQ(gActors[5].y, 128.0);

    SpawnBullet(&shooter, kBulletFalling);
    EXPECT_EQ(gActors[8].vx, 0.0);
    EXPECT_EQ(gActors[8].vy, 4.0);
}

TEST_F(BulletTest, AFullPoolDropsTheShotAndTheLowestFreeSlotIsTakenFirst) {
    Actor shooter = Shooter(300.0, 100.0);
    for (int i = 0; i < 45; ++i)
        SpawnBullet(&shooter, kBulletFalling);
    EXPECT_EQ(LiveBullets(), 45);
    Actor before[kActorSlots];
    std::copy(gActors, gActors + kActorSlots, before);
    SpawnBullet(&shooter, kBulletAimed);
    for (int slot = 0; slot < kActorSlots; ++slot)
        EXPECT_EQ(gActors[slot].kind, before[slot].kind);
    EXPECT_EQ(gActors[0].life, 0) << "never into an enemy slot";

    gActors[30].life = 0;
    gActors[17].life = 0;
    SpawnBullet(&shooter, kBulletAimed);
    EXPECT_EQ(gActors[17].kind, kBulletAimed);
    EXPECT_EQ(gActors[30].life, 0);
}

TEST_F(BulletTest, TouchingAnEdgeStaysLiveAndAnyAmountBeyondFrees) {
    const struct {
        double x, y;
        bool live;
    } cases[] = {{150.0, 200.0, true},   {149.99, 200.0, false}, {622.0, 200.0, true},
                 {622.01, 200.0, false}, {300.0, 0.0, true},     {300.0, -0.01, false},
                 {300.0, 472.0, true},   {300.0, 472.01, false}};
    for (const auto& c : cases) {
        Actor bullet = StillBullet(kBulletAimed, c.x, c.y);
        MoveAimedBullet(&bullet);
        EXPECT_EQ(bullet.life, c.live ? 1 : 0) << c.x << ", " << c.y;
    }

    Actor falling = StillBullet(kBulletFalling, 100.0, -5.0);  // sides and top never tested
    falling.vy = 4.0;
    MoveFallingBullet(&falling);
    EXPECT_EQ(falling.life, 1);
    falling.y = 468.0;
    MoveFallingBullet(&falling);
    EXPECT_EQ(falling.life, 1) << "bottom edge exactly on 480";
    MoveFallingBullet(&falling);
    EXPECT_EQ(falling.life, 0);
}

// Both kinds turn through their six frames, one every 50 ms from when they were fired.
TEST_F(BulletTest, BothKindsAnimateEvery50Milliseconds) {
    for (int kind : {kBulletAimed, kBulletFalling}) {
        SetUp();
        const Actor shooter = Shooter(300.0, 100.0);
        SpawnBullet(&shooter, kind);
        Actor& bullet = gActors[kFirstBulletSlot];
        const DWORD fired = gNow;
        gNow = fired + 49;
        MoveActor(bullet);
        EXPECT_EQ(bullet.frame, 0) << "kind " << kind << " turned before 50 ms";
        gNow = fired + 50;
        MoveActor(bullet);
        EXPECT_EQ(bullet.frame, 1) << "kind " << kind << " did not turn at 50 ms";
    }
}

TEST_F(BulletTest, ABulletFiredDuringThePassIsMovedInTheSameFrame) {
    PlaceEnemy(0, kEnemyRight, 200.0, 100.0);
    gNow += 2000;
    GameFrame(nullptr);
    const Actor& bullet = gActors[5];
    ASSERT_EQ(bullet.life, 1);
    EXPECT_EQ(bullet.x, 200.0) << "down the enemy's left edge";
    EXPECT_EQ(bullet.y, 101.0 + 24.0 + 4.0);
}

}  // namespace
