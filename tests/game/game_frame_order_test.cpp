// GameInit and the fixed order of one game frame, with every step GameFrame calls replaced by
// a fake that records the call, so the order itself is what is tested.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "game/actor.h"
#include "game/bullet.h"
#include "game/collision.h"
#include "game/draw.h"
#include "game/enemy.h"
#include "game/game.h"
#include "game/player.h"
#include "game/random.h"
#include "game/scene.h"
#include "game/shot.h"
#include "headless.h"
#include "support/allocation_counter.h"

namespace {

std::vector<std::string> gCalls;
HRESULT gBackgroundResult;
HRESULT gDrawGameResult;
BYTE gKeysSeenByBackground[256];
int gSpawnedKind;

bool gRecording;  // off while counting allocations: the record itself allocates

Actor LiveActor(int life, int kind) {
    Actor actor{};
    actor.life = life;
    actor.kind = kind;
    return actor;
}

void Record(const char* call) {
    if (gRecording)
        gCalls.push_back(call);
}

std::string SlotCall(const char* mover, const Actor* actor) {
    return std::string(mover) + " " + std::to_string(actor - gActors);
}

void RecordSlot(const char* step, const Actor* actor) {
    if (gRecording)
        gCalls.push_back(SlotCall(step, actor));
}

class GameFrameOrderTest : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        gCalls.clear();
        gRecording = true;
        gBackgroundResult = 0;
        gDrawGameResult = 0;
        gSpawnedKind = 0;
        for (Actor& actor : gActors)
            actor = Actor{};
        for (BYTE& key : gKeys)
            key = 0;
    }
};

using Calls = std::vector<std::string>;

}  // namespace

HRESULT DrawBackground() {
    Record("DrawBackground");
    for (int i = 0; i < 256; ++i)
        gKeysSeenByBackground[i] = gKeys[i];
    return gBackgroundResult;
}
HRESULT DrawGame() {
    Record("DrawGame");
    return gDrawGameResult;
}
void UpdatePlayer() {
    Record("UpdatePlayer");
}
void UpdateShot() {
    Record("UpdateShot");
}
void RunSpawnSchedule() {
    Record("RunSpawnSchedule");
}
void CheckCollisions() {
    Record("CheckCollisions");
}
void SpawnEnemy(Actor* enemy, int kind) {
    RecordSlot("SpawnEnemy", enemy);
    gSpawnedKind = kind;
    enemy->kind = kind;
    enemy->life = 1;
}
// The straight mover fires a bullet into slot 7, as a real enemy firing during the pass would.
void MoveEnemyStraight(Actor* enemy) {
    RecordSlot("MoveEnemyStraight", enemy);
    gActors[7].kind = kBulletAimed;
    gActors[7].life = 1;
}
void MoveEnemyRight(Actor* enemy) {
    RecordSlot("MoveEnemyRight", enemy);
}
void MoveEnemyLeft(Actor* enemy) {
    RecordSlot("MoveEnemyLeft", enemy);
}
void MoveEnemyWave(Actor* enemy) {
    RecordSlot("MoveEnemyWave", enemy);
}
void MoveAimedBullet(Actor* bullet) {
    RecordSlot("MoveAimedBullet", bullet);
}
void MoveFallingBullet(Actor* bullet) {
    RecordSlot("MoveFallingBullet", bullet);
}
void SpawnBullet(const Actor*, int) {}

TEST_F(GameFrameOrderTest, AFrameRunsItsStepsInTheFixedOrderAndVisitsSlotsAscending) {
    gActors[0] = LiveActor(1, kEnemyWave);
    gActors[2] = LiveActor(2, kEnemyRight);
    gActors[3] = LiveActor(0, kEnemyLeft);   // free
    gActors[4] = LiveActor(-1, kEnemyLeft);  // not live either
    gActors[5] = LiveActor(1, kBulletFalling);
    gActors[6] = LiveActor(1, 99);  // unknown kinds are not moved
    gActors[49] = LiveActor(1, kBulletAimed);
    gDrawGameResult = 0x55;

    EXPECT_EQ(GameFrame(nullptr), 0x55);
    EXPECT_EQ(gCalls, (Calls{"DrawBackground", "UpdatePlayer", "UpdateShot", "MoveEnemyWave 0",
                             "MoveEnemyRight 2", "MoveFallingBullet 5", "MoveAimedBullet 49",
                             "RunSpawnSchedule", "CheckCollisions", "DrawGame"}));
}

TEST_F(GameFrameOrderTest, ABulletFiredDuringThePassIsMovedInTheSameFrame) {
    gActors[1] = LiveActor(1, kEnemyStraight);
    GameFrame(nullptr);
    EXPECT_EQ(gCalls,
              (Calls{"DrawBackground", "UpdatePlayer", "UpdateShot", "MoveEnemyStraight 1",
                     "MoveAimedBullet 7", "RunSpawnSchedule", "CheckCollisions", "DrawGame"}));
}

TEST_F(GameFrameOrderTest, AFailedBackgroundStopsTheWholeFrame) {
    gActors[0] = LiveActor(1, kEnemyStraight);
    gBackgroundResult = static_cast<HRESULT>(0x887601C2);
    EXPECT_EQ(GameFrame(nullptr), static_cast<HRESULT>(0x887601C2));
    EXPECT_EQ(gCalls, (Calls{"DrawBackground"}));
}

TEST_F(GameFrameOrderTest, KeysAreSampledAsLevelsBeforeAnythingElse) {
    HeadlessKeyDown(VK_LEFT);
    HeadlessKeyDown(VK_SPACE);
    HeadlessKeyDown(VK_ESCAPE);  // not a game key
    GameFrame(nullptr);
    EXPECT_EQ(gKeysSeenByBackground[VK_LEFT], 1);
    EXPECT_EQ(gKeysSeenByBackground[VK_SPACE], 1);
    EXPECT_EQ(gKeysSeenByBackground[VK_RIGHT], 0);
    EXPECT_EQ(gKeysSeenByBackground[VK_ESCAPE], 0);

    HeadlessKeyUp(VK_LEFT);
    GameFrame(nullptr);
    EXPECT_EQ(gKeys[VK_LEFT], 0) << "a released key reads 0 at the next sampling";
    EXPECT_EQ(gKeys[VK_SPACE], 1) << "a held key reads 1 in every frame";
}

TEST_F(GameFrameOrderTest, GameInitSetsUpShipShotPoolFirstEnemyAndTimer) {
    gNow = 0xFFFFFFF0u;
    gPlayer.facing = kFacingLeft;
    gPlayer.value = 4200;
    gShot.life = 1;
    for (Actor& actor : gActors)
        actor.life = 2;

    gPlayer.frame = 1;
    GameInit(nullptr);

    // What a player sees of a new game: the ship alive, standing centred on the bottom of the
    // field, score zero, first animation frame from now, and no shot in flight.
    EXPECT_EQ(gPlayer.x, 386.0);
    EXPECT_EQ(gPlayer.y + gPlayer.height, gPlayArea.bottom)
        << "the ship stands on the bottom of the field";
    EXPECT_EQ(gPlayer.life, 1);
    EXPECT_EQ(gPlayer.value, 0) << "a new game starts from a zero score";
    EXPECT_EQ(gPlayer.frame, 0);
    EXPECT_EQ(gPlayer.lastFrameTime, 0xFFFFFFF0u);
    EXPECT_EQ(gPlayer.facing, kFacingLeft) << "facing is left for the ship's update to set";
    EXPECT_EQ(gShot.life, 0) << "the shot starts free";

    EXPECT_EQ(gCalls, (Calls{"SpawnEnemy 0"}));
    EXPECT_GE(gSpawnedKind, 1);
    EXPECT_LE(gSpawnedKind, 4);
    for (int slot = 1; slot < kActorSlots; ++slot) {
        EXPECT_EQ(gActors[slot].life, 0) << "slot " << slot;
    }
    EXPECT_EQ(gLastSpawnTime, 0xFFFFFFF0u);
    EXPECT_EQ(gScene, kSceneGame);
}

TEST_F(GameFrameOrderTest, TheFirstEnemysKindComesFromTheTitlesSeed) {
    srand(777);
    GameInit(nullptr);
    int first = gSpawnedKind;
    srand(777);
    int expected = RandomRange(1, 4);
    EXPECT_EQ(first, expected);
}

// After the first enemy, a game draws from a generator seeded by the wall clock as it starts, so
// no two games play alike.
TEST_F(GameFrameOrderTest, ANewGameReseedsTheGeneratorFromTheWallClock) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        srand(777);
        const time_t before = time(nullptr);
        GameInit(nullptr);
        const int drawn = rand();
        if (time(nullptr) != before) {
            continue;  // the second turned meanwhile: the seed is not known
        }
        srand(static_cast<unsigned>(before));
        EXPECT_EQ(drawn, rand()) << "the game's generator is not seeded from the clock";
        return;
    }
    FAIL() << "the clock's second turned during every attempt";
}

TEST_F(GameFrameOrderTest, AGameFrameAllocatesNothing) {
    for (int slot = 0; slot < kActorSlots; ++slot) {
        gActors[slot] = LiveActor(1, slot < 5 ? kEnemyWave : kBulletFalling);
    }
    gRecording = false;
    GameFrame(nullptr);
    size_t before = AllocationCount();
    for (int i = 0; i < 100; ++i) {
        GameFrame(nullptr);
    }
    EXPECT_EQ(AllocationCount(), before);
}

TEST(RandomRange, MapsGeneratorOutputsToEqualShares) {
    EXPECT_EQ(ScaleRandom(0, 1, 4), 1);
    EXPECT_EQ(ScaleRandom(8191, 1, 4), 1);
    EXPECT_EQ(ScaleRandom(8192, 1, 4), 2);
    EXPECT_EQ(ScaleRandom(16383, 1, 4), 2);
    EXPECT_EQ(ScaleRandom(16384, 1, 4), 3);
    EXPECT_EQ(ScaleRandom(24576, 1, 4), 4);
    EXPECT_EQ(ScaleRandom(32767, 1, 4), 4);
}

TEST(RandomRange, OverTheWholeFifteenBitsOddValuesComeUpToo) {
    srand(4321);
    int odd = 0;
    for (int i = 0; i < 1000; ++i) {
        odd += RandomRange(0, 32767) % 2;
    }
    EXPECT_GT(odd, 400) << "the generator's lowest bit is lost";
}

TEST(RandomRange, StaysInRangeAndReachesEveryValueWhateverTheLibrarysRandMax) {
    srand(12345);
    int seen[5] = {};
    for (int i = 0; i < 20000; ++i) {
        int value = RandomRange(1, 4);
        ASSERT_GE(value, 1);
        ASSERT_LE(value, 4);
        ++seen[value];
    }
    for (int value = 1; value <= 4; ++value) {
        EXPECT_GT(seen[value], 4000) << value;
    }
}
