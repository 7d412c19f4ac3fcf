// The presentation step's pixel work: a picture of palette indices turned into the 32-bit
// ARGB texels of the streaming texture, one table lookup per pixel.
//
// BackendPresent calls it on the locked texture every frame; the benchmarks call it on plain
// memory. It touches nothing but its arguments and allocates nothing.
#pragma once

#include <cstdint>

#include "../src/backend.h"

// Writes width x height texels (rows `texturePitch` bytes apart) from the indices in `pixels`
// (rows `pitch` bytes apart) through `palette`, alpha opaque.
void ConvertPalettedPicture(const uint8_t* pixels, int width, int height, int pitch,
                            const BackendColor palette[256], void* texels, int texturePitch);
