// Whole games through the frame driver on the headless clock with a scripted keyboard,
// checking the play state's invariants after every frame.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/frame.h"
#include "game/actor.h"
#include "headless.h"
#include "support/game_display.h"
#include "support/allocation_counter.h"

namespace {

bool InsideField(const Actor& actor) {
    return actor.x >= gPlayArea.left && actor.x + actor.width <= gPlayArea.right &&
           actor.y >= gPlayArea.top && actor.y + actor.height <= gPlayArea.bottom;
}

void SetKey(int key, bool down) {
    if (down)
        HeadlessKeyDown(key);
    else
        HeadlessKeyUp(key);
}

// Each game weaves across the field firing for a while, then sits still with no shots and
// waits to be hit.
void ScriptKeys(int gameFrame, int fightFrames) {
    bool fighting = gameFrame < fightFrames;
    int phase = (gameFrame / 150) % 4;
    SetKey(VK_SPACE, fighting);
    SetKey(VK_LEFT, fighting && phase == 0);
    SetKey(VK_RIGHT, fighting && phase == 2);
    SetKey(VK_UP, fighting && phase == 1 && gameFrame % 3 == 0);
    SetKey(VK_DOWN, fighting && phase == 3);
}

TEST(GameReplay, InvariantsHoldFrameByFrameThroughSeveralGames) {
    StartGameDisplay();
    srand(2024);
    DWORD now = 0xFFFF0000u;  // the clock wraps about a minute in
    unsigned step = 1;

    int games = 0, gameFrame = 0, kills = 0, gameOvers = 0, titles = 0;
    size_t allocations = 0;
    DWORD hitAt = 0, gameOverAt = 0;
    gScene = kSceneGameSetup;
    for (int frame = 0; frame < 20000; ++frame) {
        if (gScene == kSceneGameSetup) {
            ++games;
            gameFrame = 0;
        }
        ScriptKeys(gameFrame, 2500 + 1000 * (games % 3));
        step = step * 1103515245u + 12345u;
        now += 5 + (step >> 16) % 20;  // uneven frame times of 5 to 24 ms
        HeadlessSetTime(now);
        const int lifeBefore = gPlayer.life;
        const int scoreBefore = gPlayer.value;
        const bool setUp = gScene == kSceneGameSetup;

        size_t before = AllocationCount();
        RunFrame(nullptr);
        allocations += AllocationCount() - before;
        if (setUp) {
            srand(static_cast<unsigned>(games));  // replace the set-up's clock-time seed
        }
        ++gameFrame;

        ASSERT_TRUE(InsideField(gPlayer)) << frame;
        if (gShot.life > 0) {
            ASSERT_TRUE(InsideField(gShot)) << frame;
        }
        for (int slot = 0; slot < kActorSlots; ++slot) {
            const Actor& actor = gActors[slot];
            ASSERT_GE(actor.life, 0) << frame << " slot " << slot;
            if (actor.life == 0)
                continue;
            ASSERT_TRUE(InsideField(actor)) << frame << " slot " << slot;
            bool enemy = actor.kind >= kEnemyStraight && actor.kind <= kEnemyWave;
            bool bullet = actor.kind == kBulletAimed || actor.kind == kBulletFalling;
            ASSERT_TRUE(slot <= kLastEnemySlot ? enemy : bullet) << frame << " slot " << slot;
        }

        const int gained = setUp ? gPlayer.value : gPlayer.value - scoreBefore;
        ASSERT_TRUE(gained == 0 || gained == 100 || gained == 200 || gained == 300)
            << frame << ": " << gained;
        kills += gained > 0;

        const int life = gPlayer.life;
        if (!setUp) {
            ASSERT_TRUE(life == lifeBefore || life == lifeBefore - 1) << frame;
            ASSERT_GE(life, -1) << frame;
        }
        if (life == 0 && lifeBefore == 1)
            hitAt = now;
        if (life == -1 && lifeBefore == 0) {
            ASSERT_GE(now - hitAt, 1500u) << frame << ": three 500 ms explosion frames";
            gameOverAt = now;
            ++gameOvers;
        }
        if (life == -1) {
            bool due = now - gameOverAt >= 5000;
            ASSERT_EQ(gScene, due ? kSceneTitleSetup : kSceneGame) << frame;
            if (due) {
                ++titles;
                gScene = kSceneGameSetup;  // the title is another concern: start again
            }
        } else {
            ASSERT_EQ(gScene, kSceneGame) << frame;
        }
    }
    EXPECT_EQ(allocations, 0u);
    EXPECT_GE(games, 2);
    EXPECT_GE(gameOvers, 2);
    EXPECT_GE(titles, 2);
    EXPECT_GE(kills, 5);
}

}  // namespace
