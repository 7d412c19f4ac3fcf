// The page's events, kept until the platform pumps them: keys (the keyboard's and the touch
// controls'), focus, the tab hidden or shown, pads plugged in and out, and whatever takes the
// picture off the canvas (a resize, a restored WebGL context).
//
// Browser events arrive whenever the program sleeps; a fixed queue holds them until the next
// BackendPumpEvents hands them on (window_events.h, shown_picture.h), so the platform's state
// changes only where Windows would change it. Each one queued wakes a program waiting for
// events (web_wait.h).
#pragma once

// Listens to the keys on the whole page, to focus leaving it, to the page being hidden or
// shown, to pads (web_pads.h) and to the window being resized.
void WebEventsListen();
void WebEventsStop();

// Queues a change of a game key held by `source` (web_input.h), merged with the other sources':
// a key stays down while any source holds it.
void WebEventsQueueKey(int source, int virtualKey, bool down);

// Pad `pad` was plugged in or out (the pads' own listener).
void WebEventsQueuePad(int pad, bool connected);

// Delivers every waiting event; false when there was none.
bool WebEventsDeliver();

// True while an event waits to be delivered.
bool WebEventsWaiting();

// True while a key change waits to be delivered.
bool WebKeyWaiting();
