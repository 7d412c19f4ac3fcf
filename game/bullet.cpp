#include "game/bullet.h"

void SpawnBullet(const Actor*, int) {}
void MoveAimedBullet(Actor*) {}
void MoveFallingBullet(Actor*) {}
