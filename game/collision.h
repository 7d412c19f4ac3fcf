// Every contact of a game, once per game frame after all movement and before the drawing:
// enemies and bullets against the ship, the shot against enemies, and the score.
#pragma once

#include <windows.h>

// True when the boxes overlap, all four edges counting as inside.
bool RectsOverlap(const RECT& a, const RECT& b);

void CheckCollisions();
