// The program's icon: the player's ship from the sprite sheet, upright, on a clear ground.
#pragma once

#include "rgba_image.h"

// The sizes the desktop and Windows ask for; each is drawn from the one 32 x 32 picture.
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

RgbaImage MakeIcon(int size);
