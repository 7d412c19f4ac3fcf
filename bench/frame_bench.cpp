// What one frame costs on the headless backend, next to the cheapest thing a frame could be:
// copying one 640x480 8-bit picture. RunFrame is measured whole (scene, counter text, flip and
// the capture of the presented picture); pacing only moves the virtual clock, so this is CPU
// work alone.
//
// Each iteration starts from the same state (play state and clock put back), so every run of
// a benchmark draws the same picture; putting back a few kilobytes costs well under 1%.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/frame.h"
#include "app/main_window.h"
#include "display/display.h"
#include "game/actor.h"
#include "game/bullet.h"
#include "game/enemy.h"
#include "headless.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr uint32_t kClock = 100000;

struct PlayState {
    Actor player;
    Actor shot;
    Actor actors[kActorSlots];
    DWORD lastSpawnTime;
    BYTE scene;
};

PlayState Save() {
    PlayState state;
    state.player = gPlayer;
    state.shot = gShot;
    std::memcpy(state.actors, gActors, sizeof(gActors));
    state.lastSpawnTime = gLastSpawnTime;
    state.scene = gScene;
    return state;
}

void Load(const PlayState& state) {
    gPlayer = state.player;
    gShot = state.shot;
    std::memcpy(gActors, state.actors, sizeof(gActors));
    gLastSpawnTime = state.lastSpawnTime;
    gScene = state.scene;
    HeadlessSetTime(kClock);
}

void StartDisplay() {
    ReleaseDisplay();
    HeadlessReset();
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    if (window == nullptr || InitDisplay(window) != DD_OK) {
        std::abort();
    }
    HeadlessClearDebugOutput();
    HeadlessSetTime(kClock);
    gScene = kSceneTitleSetup;
    for (int frame = 0; frame < 70; ++frame) {
        RunFrame(nullptr);  // past the first second, so the counter text is drawn
    }
}

// Runs frames from `state` over and over.
void RunFrames(benchmark::State& bench, const PlayState& state) {
    for (auto _ : bench) {
        Load(state);
        RunFrame(nullptr);
    }
    bench.SetItemsProcessed(bench.iterations());
}

void BM_CopyPicture(benchmark::State& bench) {
    std::vector<uint8_t> from(kWidth * kHeight, 7), to(kWidth * kHeight);
    for (auto _ : bench) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
    }
    bench.SetBytesProcessed(bench.iterations() * static_cast<int64_t>(from.size()));
}
BENCHMARK(BM_CopyPicture);

void BM_TitleFrame(benchmark::State& bench) {
    StartDisplay();
    gScene = kSceneTitle;
    RunFrames(bench, Save());
}
BENCHMARK(BM_TitleFrame);

// Five enemies across the field, 40 bullets, the shot in flight and the ship steering.
void BM_BusyGameFrame(benchmark::State& bench) {
    StartDisplay();
    gScene = kSceneGameSetup;
    HeadlessKeyDown(VK_SPACE);
    HeadlessKeyDown(VK_LEFT);
    RunFrame(nullptr);
    srand(3);
    for (int slot = kFirstEnemySlot; slot <= kLastEnemySlot; ++slot) {
        SpawnEnemy(&gActors[slot], slot % 4 + 1);
        gActors[slot].x = 170.0 + 90 * slot;
        gActors[slot].y = 20.0 + 30 * slot;
    }
    for (int i = 0; i < 40; ++i) {
        SpawnBullet(&gActors[i % 5], i % 2 ? kBulletAimed : kBulletFalling);
    }
    for (int frame = 0; frame < 20; ++frame) {
        RunFrame(nullptr);  // the bullets spread out and the shot flies
    }
    RunFrames(bench, Save());
    HeadlessKeyUp(VK_SPACE);
    HeadlessKeyUp(VK_LEFT);
}
BENCHMARK(BM_BusyGameFrame);

// "Game Over" and the score in the system font over the field, enemies still about.
void BM_GameOverFrame(benchmark::State& bench) {
    StartDisplay();
    gScene = kSceneGameSetup;
    RunFrame(nullptr);
    for (int slot = kFirstEnemySlot; slot <= kLastEnemySlot; ++slot) {
        SpawnEnemy(&gActors[slot], slot % 4 + 1);
        gActors[slot].y = 40.0 * slot;
    }
    gPlayer.life = -1;
    gPlayer.value = 12300;
    gPlayer.lastFrameTime = kClock;
    RunFrames(bench, Save());
}
BENCHMARK(BM_GameOverFrame);

}  // namespace
