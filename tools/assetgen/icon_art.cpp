// The ship's 32 x 32 cell is the icon at its own size: the figure keeps within the middle 20
// columns, so it stands centred, and the clear green of the sheet becomes transparency.

#include "icon_art.h"

#include "palette.h"
#include "sheets.h"

namespace {

constexpr int kCell = 32;
constexpr int kUprightShipLeft = 2 * kCell;  // the first upright frame of the first colouring

RgbaImage ShipPicture() {
    const IndexedImage sheet = MakeCharSheet();
    const ColourTable& colours = DisplayColours();
    RgbaImage picture(kCell, kCell);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            const uint8_t index = sheet.At(kUprightShipLeft + x, y);
            if (index == kClear) {
                continue;
            }
            uint8_t* p = picture.At(x, y);
            p[0] = uint8_t(colours[index].r);
            p[1] = uint8_t(colours[index].g);
            p[2] = uint8_t(colours[index].b);
            p[3] = 255;
        }
    }
    return picture;
}

}  // namespace

RgbaImage MakeIcon(int size) {
    static const RgbaImage ship = ShipPicture();
    return ResampleSquare(ship, size);
}
