// Enemies: entry by kind, the four paths, re-entry at the bottom, firing and animation
// timers, and the 5000 ms spawn schedule.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "game/bullet.h"
#include "game/enemy.h"
#include "game/game.h"
#include "support/play_state.h"

namespace {

class EnemyTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlayState(); }
};

TEST_F(EnemyTest, EntersAtTheTopByKind) {
    const struct {
        int kind;
        double x;
        int life;
        int value;
    } kinds[] = {{1, 366.0, 1, 100}, {2, 200.0, 2, 200}, {3, 532.0, 2, 200}, {4, 366.0, 1, 300}};
    for (const auto& k : kinds) {
        Actor enemy{};
        SpawnEnemy(&enemy, k.kind);
        EXPECT_EQ(enemy.x, k.x) << k.kind;
        EXPECT_EQ(enemy.y, 0.0) << k.kind;
        EXPECT_EQ(enemy.life, k.life) << k.kind;
        EXPECT_EQ(enemy.value, k.value) << k.kind;
        EXPECT_EQ(enemy.width, 48);
        EXPECT_EQ(enemy.hitRect.left, 8);
        EXPECT_EQ(enemy.lastFireTime, gNow);
    }
    Actor bogus{};
    SpawnEnemy(&bogus, 7);
    EXPECT_EQ(bogus.life, 0) << "an unknown kind never goes live";
}

TEST_F(EnemyTest, ReEntersOnIts432ndMoveWithFullLifeWithoutAnimatingOrFiring) {
    for (int kind = 1; kind <= 4; ++kind) {
        ResetPlayState();
        Actor& enemy = gActors[kind - 1];
        SpawnEnemy(&enemy, kind);
        enemy.life = 1;  // hit once: kinds 2 and 3 come back with 2
        for (int move = 1; move < 432; ++move) {
            MoveActor(enemy);
            ASSERT_EQ(enemy.y, move) << kind;
        }
        gNow += 5000;  // animation and fire both due
        enemy.frame = 3;
        MoveActor(enemy);
        EXPECT_EQ(enemy.y, 0.0) << kind;
        EXPECT_EQ(enemy.life, kind == 2 || kind == 3 ? 2 : 1) << kind;
        EXPECT_EQ(enemy.frame, 0) << kind;
        EXPECT_EQ(enemy.lastFireTime, gNow) << kind;
        EXPECT_EQ(LiveBullets(), 0) << kind;
        EXPECT_EQ(enemy.kind, kind);
    }
}

TEST_F(EnemyTest, SideDriftersStartMovingSidewaysWhenYReaches160) {
    Actor& right = PlaceEnemy(0, kEnemyRight, 200.0, 158.0);
    Actor& left = PlaceEnemy(1, kEnemyLeft, 532.0, 158.0);
    MoveActor(right);
    MoveActor(left);
    EXPECT_EQ(right.x, 200.0);
    EXPECT_EQ(left.x, 532.0);
    MoveActor(right);
    MoveActor(left);
    EXPECT_EQ(right.y, 160.0);
    EXPECT_EQ(right.x, 201.0);
    EXPECT_EQ(left.x, 531.0);
}

TEST_F(EnemyTest, TheWavesXFollowsFromThePreviousY) {
    Actor& wave = PlaceEnemy(0, kEnemyWave, 366.0, 0.0);
    MoveActor(wave);
    EXPECT_EQ(wave.x, 366.0);
    EXPECT_EQ(wave.y, 1.0);
    wave.y = 90.0;
    MoveActor(wave);
    EXPECT_DOUBLE_EQ(wave.x, 516.0);
    wave.y = 270.0;
    MoveActor(wave);
    EXPECT_DOUBLE_EQ(wave.x, 216.0);
}

TEST_F(EnemyTest, FiresEvery2000AndAnimatesEvery100MillisecondsFromWhenDue) {
    Actor& enemy = PlaceEnemy(0, kEnemyRight, 200.0, 10.0);
    gNow = 1000 + 1999;
    MoveActor(enemy);
    EXPECT_EQ(LiveBullets(), 0);
    gNow = 1000 + 2000;
    MoveActor(enemy);
    EXPECT_EQ(LiveBullets(), 1);
    EXPECT_EQ(gActors[5].kind, kBulletFalling);
    gNow = 3000 + 2500;  // late: the next shot is due 2000 after this one, not after 5000
    MoveActor(enemy);
    EXPECT_EQ(LiveBullets(), 2);
    gNow = 5500 + 1999;
    MoveActor(enemy);
    EXPECT_EQ(LiveBullets(), 2);

    Actor& straight = PlaceEnemy(1, kEnemyStraight, 366.0, 10.0);
    gNow += 99;
    MoveActor(straight);
    EXPECT_EQ(straight.frame, 0);
    gNow += 1;
    MoveActor(straight);
    EXPECT_EQ(straight.frame, 1);
    for (int frame = 2; frame <= 6; ++frame) {
        gNow += 100;
        MoveActor(straight);
        EXPECT_EQ(straight.frame, frame % 6) << "an enemy turns through six frames and again";
    }
}

TEST_F(EnemyTest, TheTimersSurviveTheClockWrap) {
    gNow = 0xFFFFFFFFu - 500;
    Actor& enemy = PlaceEnemy(0, kEnemyWave, 366.0, 10.0);
    gNow = 1499;  // 2000 ms later
    MoveActor(enemy);
    EXPECT_EQ(LiveBullets(), 1);
    EXPECT_EQ(gActors[5].kind, kBulletAimed);
}

TEST_F(EnemyTest, TheScheduleSpawnsEvery5000MillisecondsIntoTheFirstFreeSlot) {
    srand(1);
    gActors[0].life = 1;
    gNow = 1000 + 4999;
    RunSpawnSchedule();
    EXPECT_EQ(gActors[1].life, 0);
    gNow = 1000 + 5000;
    RunSpawnSchedule();
    EXPECT_GT(gActors[1].life, 0);
    EXPECT_GE(gActors[1].kind, 1);
    EXPECT_LE(gActors[1].kind, 4);
    EXPECT_EQ(gActors[1].y, 0.0);
    EXPECT_EQ(gActors[2].life, 0) << "one enemy per firing";
    EXPECT_EQ(gLastSpawnTime, gNow);
}

TEST_F(EnemyTest, AFullScheduleRestartsItsTimerAndAFreedSlotWaitsForTheNext) {
    for (int slot = 0; slot <= kLastEnemySlot; ++slot)
        PlaceEnemy(slot, kEnemyStraight, 366.0, 0.0);
    gNow = 6000;
    RunSpawnSchedule();
    EXPECT_EQ(gLastSpawnTime, 6000u);
    EXPECT_EQ(gActors[5].life, 0) << "never into a bullet slot";

    gActors[2].life = 0;
    gNow = 10999;
    RunSpawnSchedule();
    EXPECT_EQ(gActors[2].life, 0);
    gNow = 11000;
    RunSpawnSchedule();
    EXPECT_GT(gActors[2].life, 0);
}

TEST_F(EnemyTest, AScheduledEnemyFirstMovesInTheNextFrameButTheFirstMovesAtOnce) {
    srand(3);
    GameInit(nullptr);
    GameFrame(nullptr);
    EXPECT_EQ(gActors[0].y, 1.0) << "the set-up's enemy moves in the same tick";
    gNow += 5000;
    GameFrame(nullptr);
    EXPECT_EQ(gActors[1].y, 0.0);
    gNow += 1;
    GameFrame(nullptr);
    EXPECT_EQ(gActors[1].y, 1.0);
}

// The kind comes from RandomRange(1, 4): over enough draws every kind, the wave included,
// must come from both the schedule and a game's first enemy.
TEST_F(EnemyTest, TheScheduleAndANewGameSendEveryKindOfEnemy) {
    std::set<int> scheduled, first;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        srand(seed);
        gActors[0].life = 0;
        gLastSpawnTime = gNow - 5000;
        RunSpawnSchedule();
        scheduled.insert(gActors[0].kind);

        srand(seed);
        GameInit(nullptr);
        first.insert(gActors[kFirstEnemySlot].kind);
    }
    const std::set<int> all = {kEnemyStraight, kEnemyRight, kEnemyLeft, kEnemyWave};
    EXPECT_EQ(scheduled, all) << "the schedule never sends some kind of enemy";
    EXPECT_EQ(first, all) << "a new game's first enemy is never some kind";
}

// "Game Over" is drawn over a game that goes on: enemies fly, fire and their bullets move.
TEST_F(EnemyTest, EnemiesAndBulletsKeepMovingWhileGameOverShows) {
    gPlayer.life = -1;
    Actor& enemy = PlaceEnemy(0, kEnemyStraight, 366.0, 100.0);
    SpawnBullet(&enemy, kBulletFalling);
    const double bulletY = gActors[kFirstBulletSlot].y;
    gLastSpawnTime = gNow;
    for (int frame = 0; frame < 3; ++frame) {
        gNow += 16;
        GameFrame(nullptr);
    }
    EXPECT_EQ(enemy.y, 103.0) << "the enemies stood still while the game was over";
    EXPECT_EQ(gActors[kFirstBulletSlot].y, bulletY + 12.0)
        << "the bullets stood still while the game was over";
}

}  // namespace
