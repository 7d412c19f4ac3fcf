// The web backend: the browser's clock, sleeping, keyboard, pads and page for the browser build.
//
// The game's loop never returns to the browser, so the build suspends the whole program
// wherever it sleeps (Sleep, the pacing inside Flip, waiting for messages) and the browser runs
// its events and draws meanwhile. The picture goes to the page's canvas (web_present.cpp).
#include <emscripten/emscripten.h>

#include <cstdio>

#include "../src/backend.h"
#include "../src/shown_picture.h"
#include "web_events.h"
#include "web_page.h"
#include "web_pads.h"
#include "web_present.h"
#include "web_present_log.h"
#include "web_stats.h"
#include "web_touch.h"
#include "web_wait.h"

namespace {
// How often a message box waiting for OK looks again.
constexpr uint32_t kMessageBoxPollMilliseconds = 50;
}  // namespace

uint32_t BackendMilliseconds() {
    // Wraps modulo 2^32 as the Windows count does.
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

void BackendSleep(uint32_t milliseconds) {
    WebStatsSleeps(emscripten_get_now());
    emscripten_sleep(milliseconds);
    WebStatsWoke(emscripten_get_now());
}

// Flip's 60 Hz schedule. The browser's clock is precise to a few microseconds where the page
// is isolated; its sleep is a timer of whole milliseconds, so the wait ends at the first
// millisecond at or after the deadline.
uint64_t BackendMicroseconds() {
    return static_cast<uint64_t>(emscripten_get_now() * 1000.0);
}

void BackendSleepUntil(uint64_t deadline) {
    const uint64_t now = BackendMicroseconds();
    if (deadline > now) {
        BackendSleep(static_cast<uint32_t>((deadline - now + 999) / 1000));
    }
}

// The browser shows what the canvas holds at each rendering of the page: the frame runs in the
// animation frame callback of the first rendering at or after its picture's due time, so the
// keys it reads are as fresh as a page can have them, and Flip's wait there ends at once.
uint64_t BackendSleepUntilFrame(uint64_t, uint64_t due) {
    WebWaitForFrame(due);
    return BackendMicroseconds();
}

// At the title nothing changes, and waking at every rendering would have the browser render
// the page for nothing: a timer it is, until a key comes.
uint64_t BackendSleepUntilOrKeyFrame(uint64_t wake, uint64_t due) {
    if (WebKeyWaiting()) {
        return BackendSleepUntilFrame(wake, due);
    }
    const uint64_t now = BackendMicroseconds();
    if (wake > now) {
        WebWaitForTimeOrKeyFrame(static_cast<uint32_t>((wake - now + 999) / 1000), due);
    }
    return BackendMicroseconds();
}

void BackendDebugOutput(const char*) {}

// Browsers allow full screen only from a player's gesture: the page has a button for it.
void BackendSetExclusiveFullscreen() {}

// Sizing the canvas clears it.
void BackendSetDisplayMode(int width, int height) {
    WebPresentResize(width, height);
    PlatformRepaintNeeded();
}

void BackendPresent(const uint8_t* pixels, int width, int height, int pitch,
                    const BackendColor palette[256]) {
    const double started = emscripten_get_now();
    WebPresent(pixels, width, height, pitch, palette);
    WebPresentLogPresented(pixels, width, height, pitch);
    WebPadsFrameEnded();
    WebStatsShown();
    WebStatsPresented(started, emscripten_get_now());
}

// The canvas is drawn in BackendPresent: the browser shows it at its next paint anyway.
void BackendPreparePresent(const uint8_t*, int, int, int, const BackendColor[256]) {}

// The canvas still shows the picture; the frame counts with no presentation cost.
void BackendPresentUnchanged() {
    const double now = emscripten_get_now();
    WebPadsFrameEnded();
    WebStatsPresented(now, now);
}

bool BackendOpenWindow(const char* caption, int width, int height) {
    if (!zephyx_page_open(caption, width, height) || !WebPresentStart(width, height)) {
        fprintf(stderr, "zephyx: the page has no canvas that can show the picture\n");
        return false;
    }
    WebEventsListen();
    WebTouchListen();
    WebPresentLogStart();
    return true;
}

void BackendCloseWindow() {
    WebTouchStop();
    WebEventsStop();
}

// A pump that does not wait is the running program's, once or more a frame: the pads are read
// there, before the frame reads its keys. A waiting program runs no frames and reads none.
void BackendPumpEvents(uint32_t waitMilliseconds) {
    if (waitMilliseconds == 0) {
        WebPadsRead();
    }
    if (!WebEventsDeliver() && waitMilliseconds > 0) {
        WebWaitForEvent(waitMilliseconds);
        WebEventsDeliver();
    }
}

void BackendShowCursor(bool shown) {
    zephyx_page_show_cursor(shown ? 1 : 0);
}

void BackendMessageBox(const char* text, const char* caption) {
    zephyx_page_message_box(text, caption);
    while (zephyx_page_message_box_open()) {
        BackendSleep(kMessageBoxPollMilliseconds);
    }
}

void BackendObjectDestroyed(const void*, const char*, int, int) {}
