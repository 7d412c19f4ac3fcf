// What the program's frames cost in the browser, for the measurement script and the test.
//
// The backend marks where the program falls asleep and wakes up, and how long each
// presentation took; a frame is the time awake up to the end of its presentation since the
// end of the one before. The latest frames
// are kept in fixed rings that the page reads through the exported zephyx_stats_* functions.
#pragma once

#include <cstdint>

void WebStatsWoke(double now);
void WebStatsSleeps(double now);
// A picture was drawn on the canvas (not an unchanged one that was skipped).
void WebStatsShown();
// A presentation ran from `startedAt` to `endedAt` (emscripten_get_now milliseconds).
void WebStatsPresented(double startedAt, double endedAt);
