// A hash of a picture's bottom band, where the ship flies: the present logs record it with
// every picture so a measurement can tell which picture first showed a key's effect.
#pragma once

#include <cstdint>

// FNV-1a over the palette indices of the bottom eighth of the picture.
uint64_t HashPictureBand(const uint8_t* pixels, int width, int height, int pitch);
