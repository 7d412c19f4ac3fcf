#include "game/shot.h"

void UpdateShot() {}
