// The sprite sheet's bands, one drawing function per kind of picture. MakeCharSheet calls
// them in turn; each draws only inside its own band of the 288 x 384 sheet, in display
// palette indices, and leaves the rest kClear.
#pragma once

#include "indexed_image.h"
#include "palette.h"

// Level of a ramp by fraction 0..1 of its length, so one drawing serves ramps of any size.
uint8_t Tone(Ramp ramp, double fraction);

void DrawShipBands(IndexedImage& sheet);     // rows 0-127
void DrawEnemyBand(IndexedImage& sheet);     // rows 128-175
void DrawCritterBands(IndexedImage& sheet);  // rows 176-255: beetle, drops, icons
void DrawExplosion(IndexedImage& sheet);     // rows 256-271
void DrawTileBand(IndexedImage& sheet);      // rows 272-351, shot included
void DrawBarsAndBalls(IndexedImage& sheet);  // rows 352-383
