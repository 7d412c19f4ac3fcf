#include "game/game.h"

#include <cstdlib>
#include <ctime>

#include "game/scene.h"
#include "game/actor.h"
#include "game/bullet.h"
#include "game/collision.h"
#include "game/draw.h"
#include "game/enemy.h"
#include "game/player.h"
#include "game/random.h"
#include "game/shot.h"

namespace {

constexpr double kShipSpeed = 2.0;  // pixels per frame, either way on both axes
constexpr double kShotSpeed = 2.0;  // pixels per frame, upward

void ClearPool() {
    for (Actor& actor : gActors) {
        actor.life = 0;
    }
}

// A slot is looked at when the pass reaches it, so a bullet fired earlier in the pass (always
// into a higher slot) is moved in the same frame.
void MoveAllActors() {
    for (Actor& actor : gActors) {
        if (actor.life > 0) {
            MoveActor(actor);
        }
    }
}

// The game's keys as levels: 1 while down at this moment. The window is not used.
void ReadGameKeys(HWND, BYTE keys[256]) {
    static const int kGameKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE};
    for (int key : kGameKeys) {
        keys[key] = (GetAsyncKeyState(key) & 0x8000) ? 1 : 0;
    }
}

}  // namespace

void SetUpShip() {
    SetActorCell(gPlayer, 64, 0, 96, 32);
    SetRect(&gPlayer.hitRect, 8, 0, 24, 32);
    gPlayer.x = gPlayArea.left + 236;
    gPlayer.y = gPlayArea.bottom - gPlayer.height;
    gPlayer.vx = kShipSpeed;
    gPlayer.vy = kShipSpeed;
    gPlayer.frameCount = 2;
    gPlayer.frame = 0;
    gPlayer.frameInterval = 200;
    gPlayer.lastFrameTime = gNow;
    gPlayer.life = 1;
    gPlayer.value = 0;
}

void SetUpShot() {
    SetActorCell(gShot, 175, 335, 191, 351);
    gShot.vy = kShotSpeed;
    gShot.life = 0;
}

void MoveActor(Actor& actor) {
    switch (actor.kind) {
        case kEnemyStraight:
            MoveEnemyStraight(&actor);
            break;
        case kEnemyRight:
            MoveEnemyRight(&actor);
            break;
        case kEnemyLeft:
            MoveEnemyLeft(&actor);
            break;
        case kEnemyWave:
            MoveEnemyWave(&actor);
            break;
        case kBulletAimed:
            MoveAimedBullet(&actor);
            break;
        case kBulletFalling:
            MoveFallingBullet(&actor);
            break;
        default:
            break;
    }
}

void GameInit(HWND) {
    SetUpShip();
    SetUpShot();
    ClearPool();
    SpawnEnemy(&gActors[kFirstEnemySlot], RandomRange(1, 4));
    gLastSpawnTime = gNow;
    gScene = kSceneGame;
    srand(static_cast<unsigned>(time(nullptr)));
}

HRESULT GameFrame(HWND window) {
    ReadGameKeys(window, gKeys);
    HRESULT result = DrawBackground();
    if (result != 0) {
        return result;
    }
    UpdatePlayer();
    UpdateShot();
    MoveAllActors();
    RunSpawnSchedule();
    CheckCollisions();
    return DrawGame();
}
