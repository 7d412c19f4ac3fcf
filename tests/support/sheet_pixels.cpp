#include "support/sheet_pixels.h"

#include "display/display.h"
#include "headless.h"

void FillBackBuffer(BYTE index) {
    DDBLTFX effects;
    ZeroMemory(&effects, sizeof effects);
    effects.dwSize = sizeof effects;
    effects.dwFillColor = index;
    gBackSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
}

int PixelsNotShowing(IDirectDrawSurface7* sheet, const RECT& cell, BYTE key, int x, int y,
                     BYTE ground) {
    int wrong = 0;
    for (int row = cell.top; row < cell.bottom; ++row) {
        for (int column = cell.left; column < cell.right; ++column) {
            const BYTE source = HeadlessSurfaceIndex(sheet, column, row);
            const BYTE shown =
                HeadlessSurfaceIndex(gBackSurface, x + column - cell.left, y + row - cell.top);
            wrong += shown != (source == key ? ground : source);
        }
    }
    return wrong;
}

int OpaquePixelsHidden(IDirectDrawSurface7* sheet, const RECT& cell, BYTE key, int x, int y) {
    int hidden = 0;
    for (int row = cell.top; row < cell.bottom; ++row) {
        for (int column = cell.left; column < cell.right; ++column) {
            const BYTE source = HeadlessSurfaceIndex(sheet, column, row);
            hidden += source != key && HeadlessSurfaceIndex(gBackSurface, x + column - cell.left,
                                                            y + row - cell.top) != source;
        }
    }
    return hidden;
}

int OpaquePixels(IDirectDrawSurface7* sheet, const RECT& cell, BYTE key) {
    int opaque = 0;
    for (int row = cell.top; row < cell.bottom; ++row) {
        for (int column = cell.left; column < cell.right; ++column) {
            opaque += HeadlessSurfaceIndex(sheet, column, row) != key;
        }
    }
    return opaque;
}

std::string DescribeCell(const RECT& cell) {
    return "(" + std::to_string(cell.left) + ", " + std::to_string(cell.top) + ", " +
           std::to_string(cell.right) + ", " + std::to_string(cell.bottom) + ")";
}
