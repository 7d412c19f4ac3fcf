// Enemies in the pool's enemy slots: their set-up, the four movers the actor pass calls by kind,
// and the spawn schedule GameFrame runs after the actor pass.
#pragma once

#include "game/actor.h"

// Rewrites the slot as a fresh, live enemy of `kind` (an enemy kind) at its entry point;
// any other kind leaves the slot free.
void SpawnEnemy(Actor* enemy, int kind);

void MoveEnemyStraight(Actor* enemy);
void MoveEnemyRight(Actor* enemy);
void MoveEnemyLeft(Actor* enemy);
void MoveEnemyWave(Actor* enemy);

// Once per spawn interval the first free enemy slot, if any, receives an enemy of a random kind.
void RunSpawnSchedule();
