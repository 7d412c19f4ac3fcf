// Enemies in pool slots 0 to 4: their set-up, the four movers the actor pass calls by kind,
// and the spawn schedule GameFrame runs after the actor pass.
#pragma once

#include "game/actor.h"

// Rewrites the slot as a fresh, live enemy of `kind` (1 to 4) at its entry point.
void SpawnEnemy(Actor* enemy, int kind);

void MoveEnemyStraight(Actor* enemy);
void MoveEnemyRight(Actor* enemy);
void MoveEnemyLeft(Actor* enemy);
void MoveEnemyWave(Actor* enemy);

// Every 5000 ms the first free enemy slot, if any, receives an enemy of a random kind.
void RunSpawnSchedule();
