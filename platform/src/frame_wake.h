// When the game's sleep after a frame ends: shortly before the next picture is due.
//
// A key read at the start of a frame waits in the program until the picture is due, so the
// frame should start as late as it can and still be ready in time. Flip says when the next
// picture is due; the sleep the game takes after each frame lasts until that deadline less
// what recent frames have taken (frame_cost.h). Then the game's loop pumps the events, and
// the frame reads the keys, draws and flips, and Flip presents at the deadline. The game code
// is unchanged: it still sleeps 1 ms, and the platform decides what that sleep is.
#pragma once

#include <cstdint>

// Flip: the picture is ready to be shown (drawn and prepared, before the wait for its turn).
// The time since the last sleep ended is what this frame cost.
void PlatformPictureReady();

// Flip is done with this picture: the next one is due at `due` (on BackendMicroseconds'
// clock), and the next sleep ends early enough for it.
void PlatformPlanWake(uint64_t due);

// Forgets the plan and what frames cost (a new primary surface starts a new schedule).
void PlatformForgetWake();

// Sleep(): at least `milliseconds`, and until the planned wake, if one is later; an unchanged
// picture whose turn came meanwhile is reported (unchanged_picture_wait.h).
void PlatformSleep(uint32_t milliseconds);
