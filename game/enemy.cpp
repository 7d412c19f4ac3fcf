#include "game/enemy.h"

#include <cmath>

#include "game/scene.h"
#include "game/bullet.h"
#include "game/random.h"

namespace {

constexpr DWORD kSpawnInterval = 5000;  // ms between two scheduled enemies
constexpr double kDriftStartY = 160.0;  // kinds 2 and 3 start drifting sideways here
constexpr double kWaveAmplitude = 150.0;
// The wave treats y as degrees. Its pi is cut short on purpose: the wave's path is defined
// with this value, and since positions are truncated to whole pixels even a change in the
// tenth digit can move an enemy by a pixel and its hits with it.
constexpr double kDegreesToRadians = 3.141592653 / 180.0;

// The field's centre for a sprite of `width`, each halving truncated in integers.
int CentreX(int width) {
    return gPlayArea.left + (gPlayArea.right - gPlayArea.left) / 2 - width / 2;
}

// What sets the kinds apart at entry: sideways speed, hits taken, and points, by kind.
struct EnemyTraits {
    double vx;
    int life;
    int value;
};
constexpr EnemyTraits kEnemyTraits[] = {
    {0.0, 1, 100},  // kEnemyStraight
    {1.0, 2, 200},  // kEnemyRight
    {1.0, 2, 200},  // kEnemyLeft
    {0.0, 1, 300},  // kEnemyWave
};

// The drifters come in 50 pixels from the side they leave; the others at the centre.
double EntryX(int kind, int width) {
    switch (kind) {
        case kEnemyRight:
            return gPlayArea.left + 50;
        case kEnemyLeft:
            return gPlayArea.right - 50 - width;
        default:
            return CentreX(width);
    }
}

// What every mover does after its own step: re-enter as a fresh enemy once the bottom edge
// reaches the field's bottom (and do nothing else this frame), otherwise animate and fire.
void FinishEnemyFrame(Actor* enemy, int kind, int bulletKind) {
    if (enemy->y + enemy->height >= gPlayArea.bottom) {
        SpawnEnemy(enemy, kind);
        return;
    }
    AdvanceAnimation(*enemy);
    if (gNow - enemy->lastFireTime >= static_cast<DWORD>(enemy->fireInterval)) {
        // Restarts from now whether or not a bullet slot is free; lateness is dropped.
        enemy->lastFireTime = gNow;
        SpawnBullet(enemy, bulletKind);
    }
}

}  // namespace

void SpawnEnemy(Actor* enemy, int kind) {
    SetActorCell(*enemy, 0, 128, 48, 176);
    SetRect(&enemy->hitRect, 8, 8, 40, 40);
    enemy->frameCount = 6;
    enemy->frame = 0;
    enemy->frameInterval = 100;
    enemy->fireInterval = 2000;
    enemy->lastFrameTime = gNow;
    enemy->lastFireTime = gNow;
    enemy->kind = kind;
    enemy->y = gPlayArea.top;
    enemy->vy = 1.0;
    if (kind < kEnemyStraight || kind > kEnemyWave) {
        enemy->life = 0;  // no such enemy: leave the slot free rather than half made
        return;
    }
    const EnemyTraits& traits = kEnemyTraits[kind - kEnemyStraight];
    enemy->x = EntryX(kind, enemy->width);
    enemy->vx = traits.vx;
    enemy->life = traits.life;
    enemy->value = traits.value;
}

void MoveEnemyStraight(Actor* enemy) {
    enemy->y += enemy->vy;
    FinishEnemyFrame(enemy, kEnemyStraight, kBulletAimed);
}

void MoveEnemyRight(Actor* enemy) {
    enemy->y += enemy->vy;
    if (enemy->y >= kDriftStartY) {
        enemy->x += enemy->vx;
    }
    FinishEnemyFrame(enemy, kEnemyRight, kBulletFalling);
}

void MoveEnemyLeft(Actor* enemy) {
    enemy->y += enemy->vy;
    if (enemy->y >= kDriftStartY) {
        enemy->x -= enemy->vx;
    }
    FinishEnemyFrame(enemy, kEnemyLeft, kBulletFalling);
}

// x follows from the y before this frame's step, so the first move stays at the centre.
void MoveEnemyWave(Actor* enemy) {
    enemy->x = std::sin(enemy->y * kDegreesToRadians) * kWaveAmplitude + CentreX(enemy->width);
    enemy->y += enemy->vy;
    FinishEnemyFrame(enemy, kEnemyWave, kBulletAimed);
}

void RunSpawnSchedule() {
    if (gNow - gLastSpawnTime < kSpawnInterval) {
        return;
    }
    // Restarts even when every enemy slot is busy: the next try is a full interval away.
    gLastSpawnTime = gNow;
    for (int slot = kFirstEnemySlot; slot <= kLastEnemySlot; ++slot) {
        if (gActors[slot].life <= 0) {
            SpawnEnemy(&gActors[slot], RandomRange(1, 4));
            return;
        }
    }
}
