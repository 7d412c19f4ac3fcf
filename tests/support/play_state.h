// Helpers for tests of the game mechanics: a clean play state and ready-made actors.
#pragma once

#include "game/actor.h"
#include "game/enemy.h"
#include "game/game.h"
#include "game/scene.h"
#include "support/game_display.h"

// A started display, zero game state, no keys, the clock at `now`, and the ship and shot as
// a new game sets them up, but with no enemy in the pool.
inline void ResetPlayState(DWORD now = 1000) {
    StartGameDisplay();
    gNow = now;
    gScene = kSceneGame;
    gPlayer = Actor{};
    gShot = Actor{};
    for (Actor& actor : gActors)
        actor = Actor{};
    for (BYTE& key : gKeys)
        key = 0;
    gLastSpawnTime = now;
    SetUpShip();
    SetUpShot();
}

inline Actor& PlaceEnemy(int slot, int kind, double x, double y) {
    SpawnEnemy(&gActors[slot], kind);
    gActors[slot].x = x;
    gActors[slot].y = y;
    return gActors[slot];
}

inline int LiveBullets() {
    int count = 0;
    for (int slot = kFirstBulletSlot; slot <= kLastBulletSlot; ++slot)
        count += gActors[slot].life > 0;
    return count;
}
