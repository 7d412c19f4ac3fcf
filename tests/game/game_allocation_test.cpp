// A busy game frame (five enemies firing, a crowded bullet pool, the shot, the schedule and
// the collisions all at work) allocates nothing.
#include <gtest/gtest.h>

#include "game/bullet.h"
#include "game/game.h"
#include "headless.h"
#include "support/play_state.h"
#include "support/allocation_counter.h"

TEST(GameAllocation, ABusyGameFrameAllocatesNothing) {
    ResetPlayState();
    srand(5);
    GameInit(nullptr);
    for (int slot = 0; slot <= kLastEnemySlot; ++slot)
        PlaceEnemy(slot, slot % 4 + 1, 200.0 + 50 * slot, 40.0 * slot);
    for (int i = 0; i < 40; ++i)
        SpawnBullet(&gActors[i % 5], i % 2 ? kBulletAimed : kBulletFalling);
    HeadlessKeyDown(VK_SPACE);
    HeadlessKeyDown(VK_LEFT);

    size_t before = AllocationCount();
    for (int frame = 0; frame < 2000; ++frame) {
        gNow += 16;
        GameFrame(nullptr);
    }
    size_t allocations = AllocationCount() - before;
    EXPECT_EQ(allocations, 0u);
    EXPECT_GT(LiveBullets(), 0);
}
