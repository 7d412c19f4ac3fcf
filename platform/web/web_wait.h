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
