#include "game/enemy.h"

void SpawnEnemy(Actor*, int) {}
void MoveEnemyStraight(Actor*) {}
void MoveEnemyRight(Actor*) {}
void MoveEnemyLeft(Actor*) {}
void MoveEnemyWave(Actor*) {}
void RunSpawnSchedule() {}
