#include "game/collision.h"

bool RectsOverlap(const RECT&, const RECT&) {
    return false;
}

void CheckCollisions() {}
