#include "web_wait.h"

#include <emscripten/emscripten.h>

#include <climits>

#include "../src/backend.h"
#include "web_events.h"
#include "web_stats.h"

extern "C" {
// Suspends the program until zephyx_wait_wake or, unless `milliseconds` is negative, the time
// is up (web_wait.js).
void zephyx_wait_for_event(int milliseconds);
void zephyx_wait_wake();
// Suspends the program until an animation frame whose time is at least `due` (web_wait.js).
void zephyx_wait_for_frame(double due);
// Suspends the program until `milliseconds` have passed or, once zephyx_wait_key comes, an
// animation frame whose time is at least `due` (web_wait.js).
void zephyx_wait_for_time_or_key_frame(int milliseconds, double due);
void zephyx_wait_key();
}

void WebWaitForEvent(uint32_t milliseconds) {
    if (WebEventsWaiting()) {
        return;
    }
    const int wait = milliseconds == kBackendWaitForEvent ? -1
                     : milliseconds > INT_MAX             ? INT_MAX
                                                          : static_cast<int>(milliseconds);
    WebStatsSleeps(emscripten_get_now());
    zephyx_wait_for_event(wait);
    WebStatsWoke(emscripten_get_now());
}

void WebWakeWaiter() {
    zephyx_wait_wake();
}

void WebWaitForFrame(uint64_t due) {
    WebStatsSleeps(emscripten_get_now());
    zephyx_wait_for_frame(static_cast<double>(due) / 1000.0);
    WebStatsWoke(emscripten_get_now());
}

void WebWaitForTimeOrKeyFrame(uint32_t milliseconds, uint64_t due) {
    WebStatsSleeps(emscripten_get_now());
    zephyx_wait_for_time_or_key_frame(
        milliseconds > INT_MAX ? INT_MAX : static_cast<int>(milliseconds),
        static_cast<double>(due) / 1000.0);
    WebStatsWoke(emscripten_get_now());
}

void WebKeyQueued() {
    zephyx_wait_key();
}
