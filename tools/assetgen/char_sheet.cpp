// CHAR: the 288 x 384 sprite sheet, assembled band by band from top to bottom.

#include <cmath>

#include "char_art.h"
#include "sheets.h"

uint8_t Tone(Ramp ramp, double fraction) {
    return Shade(ramp, int(std::lround(fraction * (RampLevels(ramp) - 1))));
}

IndexedImage MakeCharSheet() {
    IndexedImage sheet(288, 384, kClear);
    DrawShipBands(sheet);
    DrawEnemyBand(sheet);
    DrawCritterBands(sheet);
    DrawExplosion(sheet);
    DrawTileBand(sheet);
    DrawBarsAndBalls(sheet);
    return sheet;
}
