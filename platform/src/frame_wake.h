// When the game's sleep after a frame ends: shortly before the next picture is due.
//
// A key read at the start of a frame is only as fresh as the frame's start, so the frame
// should start as late as it can and still be ready in time. Flip says when the next picture
// is due; the sleep the game takes after each frame lasts until that deadline less what recent
// slow frames have taken (frame_cost.h). Then the game's loop pumps the events, and the frame
// reads the keys, draws and flips. Flip presents the picture as soon as it is ready, but not
// more than half a millisecond before its deadline (frame_pacer.h): a typical frame is quicker
// than the slow ones the wake-up allows for, and holding its picture back to the deadline
// would only make the keys it shows older. The game code is unchanged: it still sleeps 1 ms,
// and the platform decides what that sleep is.
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
