// What the screen shows, so that a flip of the same picture costs no presentation.
//
// At the title nearly every picture is the one already on screen. The primary surface's Flip
// asks PlatformPictureChanged before presenting: an unchanged picture (same palette indices,
// same palette) is not converted, uploaded or presented again, and the backend hears
// BackendPresentUnchanged instead. The last presented picture is kept in a buffer made with
// the primary surface, so the check is two memcmp calls and allocates nothing.
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
// presented, or a repaint is due; it is then remembered as the picture on screen.
bool PlatformPictureChanged(const uint8_t* pixels, int width, int height, int pitch,
                            const BackendColor palette[256]);
