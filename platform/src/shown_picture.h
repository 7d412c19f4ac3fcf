// What the screen shows, so that a flip of the same picture costs no presentation.
//
// At the title nearly every picture is the one already on screen. The primary surface's Flip
// asks PlatformPictureChanged before presenting: an unchanged picture (same palette indices,
// same palette) is not converted, uploaded or presented again, and the backend hears
// BackendPresentUnchanged instead. The last presented picture is kept in a buffer made with
// the primary surface, so the check is memcmp calls and allocates nothing; the surface names
// the rows it knows to be unchanged, and those are not compared at all.
#pragma once

#include <cstdint>

#include "backend.h"

// Makes room for a width x height picture and forgets what was shown. The primary surface
// calls it when it is created.
void PlatformPrepareShownPicture(int width, int height);

// The window's contents may be gone or rescaled (exposed, resized, restored, switched between
// full screen and a window): the next flip presents whatever it holds. Backends call it from
// their event handling; restoring a minimised window calls it in the core.
void PlatformRepaintNeeded();

// The picture last handed to the backend to show: packed rows of indices and its palette.
// `indices` is null until a picture has been shown.
struct PlatformPicture {
    const uint8_t* indices;
    const BackendColor* palette;
    int width;
    int height;
};
PlatformPicture PlatformShownPicture();

// True when the picture (rows `pitch` bytes apart) or its palette differs from the last one
// presented, or a repaint is due; it is then remembered as the picture on screen. Given
// `rowsToCompare` (a flag a row), a row whose flag is zero is taken to be the shown one's.
bool PlatformPictureChanged(const uint8_t* pixels, int width, int height, int pitch,
                            const BackendColor palette[256],
                            const uint8_t* rowsToCompare = nullptr);

// A number for the picture on screen, which changes whenever that picture does (and never is
// 0): memory that held the picture so numbered holds it still in every row not written since.
uint64_t PlatformShownPictureNumber();
