#include "web_stats.h"

#include <emscripten/emscripten.h>

namespace {

constexpr int kKeptFrames = 1024;

struct FrameCost {
    double awake = 0;    // milliseconds of work in the frame, presentation included
    double present = 0;  // of which the presentation
};

FrameCost gFrames[kKeptFrames];
uint32_t gPresented;
uint32_t gShown;
uint32_t gWakeUps;
double gAwake;
double gWokeAt = -1;

}  // namespace

void WebStatsWoke(double now) {
    gWokeAt = now;
    ++gWakeUps;
}

void WebStatsShown() {
    ++gShown;
}

void WebStatsSleeps(double now) {
    if (gWokeAt >= 0) {
        gAwake += now - gWokeAt;
        gWokeAt = -1;
    }
}

void WebStatsPresented(double startedAt, double endedAt) {
    if (gWokeAt >= 0) {
        gAwake += endedAt - gWokeAt;
    }
    gWokeAt = endedAt;
    gFrames[gPresented % kKeptFrames] = FrameCost{gAwake, endedAt - startedAt};
    gAwake = 0;
    ++gPresented;
}

extern "C" {

// Pictures presented since the start.
EMSCRIPTEN_KEEPALIVE uint32_t zephyx_stats_presented() {
    return gPresented;
}

// Pictures drawn on the canvas since the start: the presented ones but those the canvas
// already showed.
EMSCRIPTEN_KEEPALIVE uint32_t zephyx_stats_shown() {
    return gShown;
}

// Times the program woke from a sleep or a wait since the start.
EMSCRIPTEN_KEEPALIVE uint32_t zephyx_stats_wake_ups() {
    return gWakeUps;
}

// The work and the presentation time of the frame that presented picture `number` (counting
// from 0), while it is among the latest kept; -1 otherwise.
EMSCRIPTEN_KEEPALIVE double zephyx_stats_frame_ms(uint32_t number) {
    return number < gPresented && gPresented - number <= kKeptFrames
               ? gFrames[number % kKeptFrames].awake
               : -1;
}

EMSCRIPTEN_KEEPALIVE double zephyx_stats_present_ms(uint32_t number) {
    return number < gPresented && gPresented - number <= kKeptFrames
               ? gFrames[number % kKeptFrames].present
               : -1;
}
}
