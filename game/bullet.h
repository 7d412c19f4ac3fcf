// Enemy bullets in the pool's bullet slots: firing into the lowest free slot and the two
// movers the actor pass calls by kind.
#pragma once

#include "game/actor.h"

// Places a bullet of `bulletKind` (kBulletAimed or kBulletFalling) fired by `shooter`, or nothing
// when every bullet slot is live.
void SpawnBullet(const Actor* shooter, int bulletKind);

void MoveAimedBullet(Actor* bullet);
void MoveFallingBullet(Actor* bullet);
