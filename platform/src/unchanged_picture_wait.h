// The turn of an unchanged picture, left to the game's next Sleep.
//
// A flip of the picture already on screen has nothing to show at its deadline, so it returns
// at once. The sleep the game takes after each frame lasts past that deadline anyway (until
// shortly before the next one, frame_wake.h), and reports the unchanged picture when it ends:
// one wake-up a frame, which is most of what such a frame costs. A flip that comes before any
// sleep waits for the turn itself, so the 60 Hz schedule is the same as if Flip had waited.
#pragma once

#include <cstdint>

// An unchanged picture is due at `deadline` (on BackendMicroseconds' clock).
void PlatformDeferUnchangedPicture(uint64_t deadline);

// Whether a deferred picture's turn is still to be waited for.
bool PlatformUnchangedPicturePending();

// Waits until a deferred picture's turn, if one is pending and not yet come, and tells the
// backend it came.
void PlatformFinishUnchangedPicture();

// Forgets a pending turn unwaited (a new primary surface starts a new schedule).
void PlatformForgetUnchangedPicture();
