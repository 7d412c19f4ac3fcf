// Waiting for the page's next event (web_events.h) without a timer of our own.
//
// The program suspends until an event is queued or, for a finite wait, the time is up. A
// hidden tab that waits for its next event therefore sleeps until the browser has something
// for it, however long that is, as a minimised window does.
#pragma once

#include <cstdint>

// Returns once an event waits or `milliseconds` have passed; kBackendWaitForEvent waits for
// an event however long it takes.
void WebWaitForEvent(uint32_t milliseconds);

// An event was queued: a program waiting for one wakes up. Callable from any event handler.
void WebWakeWaiter();

// Returns in the animation frame callback of the first rendering of the page that begins at or
// after `due` (microseconds on BackendMicroseconds' clock), right before the browser paints.
// A hidden page renders nothing: the wait lasts until it is shown, with no timer.
void WebWaitForFrame(uint64_t due);

// Returns once `milliseconds` have passed or, when a key is queued first (WebKeyQueued), as
// WebWaitForFrame(due) does.
void WebWaitForTimeOrKeyFrame(uint32_t milliseconds, uint64_t due);

// A key was queued: a program waiting for an event or in WebWaitForTimeOrKeyFrame wakes as
// that wait says. Callable from any event handler.
void WebKeyQueued();
