// The wait for an unchanged picture's turn, left to the game's next Sleep.
//
// A flip of the picture already on screen has nothing to show at its deadline, so it returns
// at once, and the 1 ms sleep the game takes after each frame waits until the deadline
// instead: one wake-up a frame instead of two, which is most of what such a frame costs. The
// sleep still lasts at least what the game asked for, and a flip that comes before any sleep
// waits for the turn itself, so the 60 Hz schedule is the same as if Flip had waited.
#pragma once

#include <cstdint>

// An unchanged picture is due at `deadline` (on BackendMicroseconds' clock).
void PlatformDeferUnchangedPicture(uint64_t deadline);

// Waits until a deferred picture's turn, if one is pending, and tells the backend it came.
void PlatformFinishUnchangedPicture();

// Forgets a pending turn unwaited (a new primary surface starts a new schedule).
void PlatformForgetUnchangedPicture();

// Sleep(): at least `milliseconds`, and at least until a deferred picture's turn.
void PlatformSleep(uint32_t milliseconds);
