// Helpers for tests of the game mechanics: a clean play state and ready-made actors.
#pragma once

#include "app/frame.h"
#include "game/actor.h"
#include "game/enemy.h"
#include "headless.h"
#include "support/game_display.h"

// A started display, zero game state, no keys, the clock at `now`; the ship and shot as a new
// game has them.
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

    SetActorCell(gPlayer, 64, 0, 96, 32);
    SetRect(&gPlayer.hitRect, 8, 0, 24, 32);
    gPlayer.x = 386.0;
    gPlayer.y = 448.0;
    gPlayer.vx = gPlayer.vy = 2.0;
    gPlayer.frameCount = 2;
    gPlayer.frameInterval = 200;
    gPlayer.lastFrameTime = now;
    gPlayer.life = 1;
    SetActorCell(gShot, 175, 335, 191, 351);
    gShot.vy = 2.0;
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
