// Checks that a rectangle of a sheet surface was copied with its colour key onto the back
// buffer: where the sheet is transparent the back buffer keeps what it had, elsewhere it shows
// the sheet's pixel. For the tests of the title and play-scene drawing.
#pragma once

#include <ddraw.h>
#include <windows.h>

#include <string>

// Fills the back buffer with `index`, which no sheet picture uses.
void FillBackBuffer(BYTE index);

// How many pixels of `cell` in `sheet`, keyed on `key`, do not show at (x, y) on the back
// buffer over a fill of `ground`: 0 when the cell was drawn there and nothing over it.
int PixelsNotShowing(IDirectDrawSurface7* sheet, const RECT& cell, BYTE key, int x, int y,
                     BYTE ground);

// How many opaque pixels of `cell` do not show at (x, y), whatever lies under them: 0 when
// nothing was drawn over the cell's picture.
int OpaquePixelsHidden(IDirectDrawSurface7* sheet, const RECT& cell, BYTE key, int x, int y);

// How many opaque pixels `cell` has.
int OpaquePixels(IDirectDrawSurface7* sheet, const RECT& cell, BYTE key);

std::string DescribeCell(const RECT& cell);
