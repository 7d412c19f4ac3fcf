// Contacts and scoring: the overlap rule, the ship's single hit, and the shot's single damage.
#include <gtest/gtest.h>

#include "game/bullet.h"
#include "game/collision.h"
#include "support/play_state.h"

namespace {

class CollisionTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlayState(); }

    // An enemy whose box is (x+8, y+8, x+40, y+40), and a shot whose box is its sprite.
    Actor& Enemy(int slot, int kind, double x, double y) { return PlaceEnemy(slot, kind, x, y); }
    void Shot(double x, double y) {
        gShot.x = x;
        gShot.y = y;
        gShot.life = 1;
    }
    // A bullet as an enemy fires it, moved into `slot` at (x, y).
    Actor& Bullet(int slot, double x, double y) {
        bool wasLive[kActorSlots];
        for (int i = 0; i < kActorSlots; ++i)
            wasLive[i] = gActors[i].life > 0;
        const Actor shooter = gPlayer;
        SpawnBullet(&shooter, kBulletAimed);
        for (int i = kFirstBulletSlot; i <= kLastBulletSlot; ++i) {
            if (gActors[i].life > 0 && !wasLive[i]) {
                const Actor fired = gActors[i];
                gActors[i].life = 0;
                gActors[slot] = fired;
                break;
            }
        }
        Actor& bullet = gActors[slot];
        EXPECT_EQ(bullet.life, 1) << "no bullet was fired";
        bullet.x = x;
        bullet.y = y;
        return bullet;
    }
};

TEST(RectsOverlap, EdgesAndCornersTouchAndAOnePixelGapDoesNot) {
    const RECT a = {10, 10, 20, 20};
    const RECT touching[] = {{20, 10, 30, 20}, {0, 20, 10, 30}, {20, 20, 25, 25}, {12, 12, 14, 14}};
    const RECT apart[] = {{21, 10, 30, 20}, {0, 21, 10, 30}, {0, 0, 9, 30}, {0, 0, 30, 9}};
    for (const RECT& b : touching) {
        EXPECT_TRUE(RectsOverlap(a, b)) << b.left << "," << b.top;
        EXPECT_TRUE(RectsOverlap(b, a)) << b.left << "," << b.top;
    }
    for (const RECT& b : apart) {
        EXPECT_FALSE(RectsOverlap(a, b)) << b.left << "," << b.top;
        EXPECT_FALSE(RectsOverlap(b, a)) << b.left << "," << b.top;
    }
}

TEST_F(CollisionTest, PositionsAreTruncatedNotRounded) {
    Enemy(0, kEnemyStraight, 199.9, 100.0);  // box left 207
    Shot(191.0, 100.0);                      // box right 207: touching
    CheckCollisions();
    EXPECT_EQ(gActors[0].life, 0);
    EXPECT_EQ(gPlayer.value, 100);
}

TEST_F(CollisionTest, TwoHitsInOnePassCostOneLifeAndStartTheExplosionOnce) {
    gNow = 7777;
    Bullet(5, 390.0, 450.0);
    Bullet(9, 400.0, 460.0);
    CheckCollisions();
    EXPECT_EQ(gPlayer.life, 0);
    EXPECT_EQ(gPlayer.lastFrameTime, 7777u);
    EXPECT_EQ(gPlayer.frameInterval, 500);
    EXPECT_EQ(gPlayer.frame, 0);
    EXPECT_EQ(gPlayer.x, 386.0) << "the explosion sits on the ship's corner";
    EXPECT_EQ(gActors[5].life, 1) << "what hits the ship flies on";
    EXPECT_EQ(gActors[9].life, 1);

    Enemy(0, kEnemyStraight, 366.0, 420.0);  // now the ship and the shot are ignored
    Shot(374.0, 430.0);
    CheckCollisions();
    EXPECT_EQ(gPlayer.life, 0);
    EXPECT_EQ(gActors[0].life, 1);
    EXPECT_EQ(gShot.life, 1);
}

TEST_F(CollisionTest, AShotDamagesOnlyTheLowestEnemySlotItOverlaps) {
    Enemy(3, kEnemyRight, 300.0, 100.0);
    Enemy(1, kEnemyStraight, 310.0, 110.0);
    Shot(320.0, 130.0);
    CheckCollisions();
    EXPECT_EQ(gActors[1].life, 0);
    EXPECT_EQ(gActors[3].life, 2);
    EXPECT_EQ(gShot.life, 0);
    EXPECT_EQ(gPlayer.value, 100);
}

TEST_F(CollisionTest, TwoHitEnemiesScoreOnlyWithTheLastHit) {
    Enemy(0, kEnemyLeft, 300.0, 100.0);
    Shot(320.0, 130.0);
    CheckCollisions();
    EXPECT_EQ(gActors[0].life, 1);
    EXPECT_EQ(gPlayer.value, 0);
    Shot(320.0, 130.0);
    CheckCollisions();
    EXPECT_EQ(gActors[0].life, 0);
    EXPECT_EQ(gPlayer.value, 200);
}

TEST_F(CollisionTest, AnEnemyTouchingShipAndShotHitsTheShip) {
    Enemy(0, kEnemyWave, 370.0, 420.0);
    Shot(394.0, 420.0);
    CheckCollisions();
    EXPECT_EQ(gPlayer.life, 0);
    EXPECT_EQ(gActors[0].life, 1);
    EXPECT_EQ(gShot.life, 1);
    EXPECT_EQ(gPlayer.value, 0);
}

// The ship's box is (394, 448, 410, 480); a bullet's is its 8-pixel cell less a pixel all
// round. Each edge touching hits, and one pixel further off misses.
TEST_F(CollisionTest, ABulletHitsWithItsCellLessAPixelAllRound) {
    const struct {
        const char* side;
        double x, y;
        bool hits;
    } cases[] = {
        {"left edge touching", 387, 460, true},   {"left, a pixel off", 386, 460, false},
        {"right edge touching", 409, 460, true},  {"right, a pixel off", 410, 460, false},
        {"top edge touching", 400, 441, true},    {"top, a pixel off", 400, 440, false},
        {"bottom edge touching", 400, 479, true}, {"bottom, a pixel off", 400, 480, false},
    };
    for (const auto& c : cases) {
        SetUp();
        Bullet(5, c.x, c.y);
        CheckCollisions();
        EXPECT_EQ(gPlayer.life == 0, c.hits)
            << "a bullet at the ship's " << c.side << (c.hits ? " missed" : " hit");
    }
}

// An enemy at (300, 100) has the box (308, 108, 340, 140) inside its 48-pixel cell; the shot's
// box is its 16-pixel sprite.
TEST_F(CollisionTest, AnEnemyIsHitInsideItsCellLessEightPixelsAllRound) {
    const struct {
        const char* side;
        double x, y;
        bool hits;
    } cases[] = {
        {"left edge touching", 292, 116, true},   {"left, a pixel off", 291, 116, false},
        {"right edge touching", 340, 116, true},  {"right, a pixel off", 341, 116, false},
        {"top edge touching", 316, 92, true},     {"top, a pixel off", 316, 91, false},
        {"bottom edge touching", 316, 140, true}, {"bottom, a pixel off", 316, 141, false},
    };
    for (const auto& c : cases) {
        SetUp();
        Enemy(0, kEnemyStraight, 300, 100);
        Shot(c.x, c.y);
        CheckCollisions();
        EXPECT_EQ(gActors[0].life == 0, c.hits)
            << "the shot at the enemy's " << c.side << (c.hits ? " missed" : " hit");
    }
}

TEST_F(CollisionTest, TheShotPassesThroughBullets) {
    Bullet(5, 300.0, 100.0);
    Shot(296.0, 96.0);
    CheckCollisions();
    EXPECT_EQ(gShot.life, 1);
    EXPECT_EQ(gActors[5].life, 1);
}

}  // namespace
