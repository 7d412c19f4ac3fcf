// The two rules every actor shares: the animation step against gNow, and the hit box.
#include <gtest/gtest.h>

#include "game/scene.h"
#include "game/actor.h"

namespace {

Actor Animated(int frameCount, int frameInterval, DWORD lastFrameTime) {
    Actor actor{};
    actor.frameCount = frameCount;
    actor.frameInterval = frameInterval;
    actor.lastFrameTime = lastFrameTime;
    return actor;
}

}  // namespace

TEST(AdvanceAnimation, StepsOnceTheIntervalHasPassedExactly) {
    Actor actor = Animated(6, 100, 1000);
    gNow = 1099;
    AdvanceAnimation(actor);
    EXPECT_EQ(actor.frame, 0);
    EXPECT_EQ(actor.lastFrameTime, 1000u);
    gNow = 1100;
    AdvanceAnimation(actor);
    EXPECT_EQ(actor.frame, 1);
    EXPECT_EQ(actor.lastFrameTime, 1100u);
}

TEST(AdvanceAnimation, ALongStallStepsOnceAndRestartsTheIntervalFromNow) {
    Actor actor = Animated(6, 100, 1000);
    gNow = 2000;  // ten intervals late
    AdvanceAnimation(actor);
    EXPECT_EQ(actor.frame, 1);
    AdvanceAnimation(actor);
    EXPECT_EQ(actor.frame, 1) << "late steps are never caught up";
    gNow = 2099;
    AdvanceAnimation(actor);
    EXPECT_EQ(actor.frame, 1);
    gNow = 2100;
    AdvanceAnimation(actor);
    EXPECT_EQ(actor.frame, 2);
}

TEST(AdvanceAnimation, MeasuresElapsedTimeAcrossTheClockWrap) {
    Actor actor = Animated(6, 100, 0xFFFFFFC0u);  // 64 ms before the wrap
    gNow = 0x23;                                  // 99 ms later
    AdvanceAnimation(actor);
    EXPECT_EQ(actor.frame, 0);
    gNow = 0x24;  // 100 ms later
    AdvanceAnimation(actor);
    EXPECT_EQ(actor.frame, 1);
}

TEST(AdvanceAnimation, ReachingTheFrameCountWrapsToZeroInTheSameCall) {
    Actor actor = Animated(6, 100, 0);
    int seen[6] = {};
    for (int step = 1; step <= 12; ++step) {
        gNow = step * 100;
        AdvanceAnimation(actor);
        ASSERT_GE(actor.frame, 0);
        ASSERT_LT(actor.frame, 6);
        ++seen[actor.frame];
    }
    for (int count : seen)
        EXPECT_EQ(count, 2);
}

TEST(ActorHitBox, TruncatesPositionsTowardZero) {
    EXPECT_EQ(TruncatePosition(-0.5), 0);
    EXPECT_EQ(TruncatePosition(-1.5), -1);
    EXPECT_EQ(TruncatePosition(386.9), 386);
    EXPECT_EQ(TruncatePosition(199.9), 199);

    Actor enemy{};
    enemy.x = -0.5;
    enemy.y = 199.9;
    SetRect(&enemy.hitRect, 8, 8, 40, 40);
    RECT box = ActorHitBox(enemy);
    EXPECT_EQ(box.left, 8);
    EXPECT_EQ(box.top, 207);
    EXPECT_EQ(box.right, 40);
    EXPECT_EQ(box.bottom, 239);
}

TEST(ActorHitBox, MovesTheHitRectByThePosition) {
    Actor ship{};
    ship.x = 386.0;
    ship.y = 448.0;
    SetRect(&ship.hitRect, 8, 0, 24, 32);
    RECT box = ActorHitBox(ship);
    EXPECT_EQ(box.left, 394);
    EXPECT_EQ(box.top, 448);
    EXPECT_EQ(box.right, 410);
    EXPECT_EQ(box.bottom, 480);
}

TEST(ActorHitBox, TheShotsBoxIsItsWholeSprite) {
    gShot = Actor{};
    SetActorCell(gShot, 175, 335, 191, 351);
    SetRect(&gShot.hitRect, 1, 1, 2, 2);  // never set in a game; must not be used
    gShot.x = 394.0;
    gShot.y = 100.0;
    RECT box = ActorHitBox(gShot);
    EXPECT_EQ(box.left, 394);
    EXPECT_EQ(box.top, 100);
    EXPECT_EQ(box.right, 410);
    EXPECT_EQ(box.bottom, 116);
}
