// Once warm, whole frames allocate nothing: the title, a busy game, the ship's explosion, the
// game-over screen with its system-font text, and the frames after a surface restore.
// RunFrame and the sleep after it are measured as WinMain runs them, flip, presentation and
// pacing included.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <thread>

#include "app/frame.h"
#include "display/display.h"
#include "game/actor.h"
#include "game/bullet.h"
#include "support/play_state.h"
#include "headless.h"
#include "support/allocation_counter.h"
#include "support/game_display.h"

namespace {

// Runs frames until `done` says stop or `limit` frames have run; returns the allocations.
template <typename Done>
size_t AllocationsOver(int limit, Done done, int* framesRun = nullptr) {
    const size_t before = AllocationCount();
    int frames = 0;
    while (frames < limit && !done()) {
        RunFrame(nullptr);
        Sleep(1);
        ++frames;
    }
    if (framesRun != nullptr) {
        *framesRun = frames;
    }
    return AllocationCount() - before;
}

size_t AllocationsOver(int frames) {
    return AllocationsOver(frames, [] { return false; });
}

int LiveEnemies() {
    int count = 0;
    for (int slot = kFirstEnemySlot; slot <= kLastEnemySlot; ++slot)
        count += gActors[slot].life > 0;
    return count;
}

// Through volatile pointers, so the compiler cannot drop the allocations.
void* (*volatile gMalloc)(size_t) = std::malloc;
int* volatile gInt;

TEST(FrameAllocation, TheCounterSeesMallocAndNew) {
    size_t before = AllocationCount();
    void* memory = gMalloc(24);
    std::free(memory);
    EXPECT_EQ(AllocationCount() - before, 1u);
    gInt = new int(3);
    delete gInt;
    EXPECT_GE(AllocationCount() - before, 2u);

    // This thread's count leaves out another thread's allocations.
    before = AllocationCountOnThisThread();
    std::thread([] {
        for (int i = 0; i < 100; ++i)
            std::free(gMalloc(24));
    }).join();
    EXPECT_LT(AllocationCountOnThisThread() - before, 100u);
    before = AllocationCountOnThisThread();
    std::free(gMalloc(24));
    EXPECT_EQ(AllocationCountOnThisThread() - before, 1u);
}

TEST(FrameAllocation, TitleGameExplosionAndGameOverFramesAllocateNothing) {
    StartGameDisplay();
    HeadlessSetTime(0xFFFFF000u);  // across the wrap too
    gScene = kSceneTitleSetup;
    gFrameCount = 0;
    gFpsTime = HeadlessTime();
    AllocationsOver(120);  // warm: the counter text is first formatted after a second
    ASSERT_EQ(gScene, kSceneTitle);
    EXPECT_EQ(AllocationsOver(300), 0u) << "title";
    EXPECT_NE(gFpsText[0], '\0');

    // The space bar starts a game; five enemies and a crowd of bullets make it busy.
    HeadlessKeyDown(VK_SPACE);
    AllocationsOver(3);
    HeadlessKeyUp(VK_SPACE);
    ASSERT_EQ(gScene, kSceneGame);
    srand(7);
    for (int slot = kFirstEnemySlot; slot <= kLastEnemySlot; ++slot) {
        PlaceEnemy(slot, slot % 4 + 1, 170.0 + 90 * slot, 10.0 + 20 * slot);
    }
    for (int i = 0; i < 40; ++i) {
        SpawnBullet(&gActors[i % 5], i % 2 ? kBulletAimed : kBulletFalling);
    }
    HeadlessKeyDown(VK_SPACE);  // the shot flies too
    int fewestEnemies = 5, fewestBullets = 45;
    size_t busy = AllocationsOver(40, [&] {
        fewestEnemies = std::min(fewestEnemies, LiveEnemies());
        fewestBullets = std::min(fewestBullets, LiveBullets());
        return gPlayer.life != 1;
    });
    HeadlessKeyUp(VK_SPACE);
    EXPECT_EQ(busy, 0u) << "busy game";
    EXPECT_GE(fewestEnemies, 4);
    EXPECT_GE(fewestBullets, 20);

    // An enemy on the ship blows it up (kept clear of the bottom, where it would re-enter):
    // three explosion frames of 500 ms.
    PlaceEnemy(0, 1, gPlayer.x - 8, gPlayer.y - 18);
    AllocationsOver(1);
    ASSERT_EQ(gPlayer.life, 0);
    int explosionFrames = 0;
    EXPECT_EQ(AllocationsOver(
                  200, [] { return gPlayer.life != 0; }, &explosionFrames),
              0u)
        << "explosion";
    EXPECT_GT(explosionFrames, 60);

    // "Game Over" and the score in the system font, then the title again after five seconds.
    ASSERT_EQ(gPlayer.life, -1);
    AllocationsOver(30);  // warm: a font renderer may cache its face and glyphs on first use
    int gameOverFrames = 0;
    EXPECT_EQ(AllocationsOver(
                  400, [] { return gScene != kSceneGame; }, &gameOverFrames),
              0u)
        << "game over";
    EXPECT_GT(gameOverFrames, 200);
    EXPECT_EQ(gScene, kSceneTitleSetup);
    EXPECT_EQ(AllocationsOver(60), 0u) << "title after the game";
}

// Reloading the bitmaps makes a bitmap object per surface, so the restoring frame may
// allocate; from the next frame on nothing does.
TEST(FrameAllocation, FramesAfterASurfaceRestoreAllocateNothing) {
    StartGameDisplay();
    gScene = kSceneGameSetup;
    AllocationsOver(120);
    ASSERT_EQ(gScene, kSceneGame);

    HeadlessLoseAllSurfaces();
    const uint32_t presents = HeadlessPresentCount();
    AllocationsOver(1);
    EXPECT_FALSE(HeadlessSurfaceLost(gCharSurface));
    EXPECT_EQ(HeadlessPresentCount(), presents + 1);
    EXPECT_EQ(AllocationsOver(120), 0u) << "after the restore";

    // Minimised and back: the same through the window's own path.
    HeadlessSetMinimised(true);
    HeadlessSetMinimised(false);
    AllocationsOver(1);
    EXPECT_EQ(AllocationsOver(120), 0u) << "after minimising";
}

}  // namespace
