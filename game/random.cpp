#include "game/random.h"

#include <cstdlib>

int ScaleRandom(int r, int lo, int hi) {
    return lo + static_cast<int>(r * static_cast<double>(hi - lo + 1) / 32768.0);
}

// The game's generator yields 0 to 32767. Some C libraries' rand() reaches further; keeping
// its low 15 bits gives the same uniform range everywhere.
int RandomRange(int lo, int hi) {
    return ScaleRandom(rand() & 0x7FFF, lo, hi);
}
