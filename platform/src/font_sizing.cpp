#include "font_sizing.h"

#include <cmath>

namespace {
constexpr long kDefaultCellHeight = 16;
}  // namespace

bool ScaleFontToHeight(long height, double winAscent, double winDescent, double unitsPerEm,
                       FontScale* scale) {
    const double cellUnits = winAscent + winDescent;
    if (cellUnits <= 0 || unitsPerEm <= 0) {
        return false;
    }
    if (height < 0) {
        scale->emPixels = -static_cast<double>(height);
        scale->ascent = static_cast<int>(std::lround(winAscent * scale->emPixels / unitsPerEm));
        scale->cellHeight =
            scale->ascent +
            static_cast<int>(std::lround(winDescent * scale->emPixels / unitsPerEm));
    } else {
        const double cell = height > 0 ? static_cast<double>(height) : kDefaultCellHeight;
        scale->emPixels = cell * unitsPerEm / cellUnits;
        scale->ascent = static_cast<int>(std::lround(cell * winAscent / cellUnits));
        scale->cellHeight = static_cast<int>(cell);
    }
    // Below 1/64 pixel, nothing can be drawn.
    return std::lround(scale->emPixels * 64) > 0;
}
