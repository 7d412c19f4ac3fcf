#include "web_events.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "../src/shown_picture.h"
#include "../src/window_events.h"
#include "web_input.h"
#include "web_keys.h"
#include "web_page.h"
#include "web_pads.h"
#include "web_wait.h"

namespace {

enum class EventKind { Key, FocusLost, Hidden, Shown, Repaint, PadConnected, PadGone };

struct Event {
    EventKind kind;
    int virtualKey;  // or the pad's number
    bool down;
    int source = KeyMerge::kKeyboard;  // of a key: the keyboard or the touch controls (web_input.h)
};

// Far more than a player can type between two frames; beyond it, events are dropped.
constexpr int kQueueSize = 256;
Event gQueue[kQueueSize];
int gFirst;
int gCount;

void Queue(Event event) {
    if (gCount < kQueueSize) {
        gQueue[(gFirst + gCount) % kQueueSize] = event;
        ++gCount;
    }
    if (event.kind == EventKind::Key) {
        WebKeyQueued();
    } else {
        WebWakeWaiter();
    }
}

// Only the game's keys are taken (web_keys.h), so the browser's own keys and shortcuts keep
// working. While a message box waits for OK, the keys are the box's.
EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void*) {
    if (zephyx_page_message_box_open()) {
        return EM_FALSE;
    }
    const int key = GameKeyFromBrowserKey(BrowserKey{event->code, type == EMSCRIPTEN_EVENT_KEYDOWN,
                                                     event->ctrlKey != 0, event->altKey != 0,
                                                     event->metaKey != 0});
    if (key == 0) {
        return EM_FALSE;
    }
    Queue(Event{EventKind::Key, key, type == EMSCRIPTEN_EVENT_KEYDOWN});
    return EM_TRUE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
    Queue(Event{EventKind::FocusLost, 0, false});
    return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    Queue(Event{event->hidden ? EventKind::Hidden : EventKind::Shown, 0, false});
    return EM_FALSE;
}

// The page rescales the canvas; the picture is presented again all the same, as a window's is.
EM_BOOL OnResize(int, const EmscriptenUiEvent*, void*) {
    Queue(Event{EventKind::Repaint, 0, false});
    return EM_FALSE;
}

void Deliver(const Event& event) {
    switch (event.kind) {
        case EventKind::Key:
            WebInputKey(event.source, event.virtualKey, event.down);
            break;
        case EventKind::FocusLost:
            WebInputReleaseAll();
            PlatformFocusLost();
            break;
        case EventKind::Hidden:
            WebInputReleaseAll();
            PlatformWindowMinimised(true);
            break;
        case EventKind::Shown:
            PlatformWindowMinimised(false);
            PlatformRepaintNeeded();
            break;
        case EventKind::Repaint:
            PlatformRepaintNeeded();
            break;
        case EventKind::PadConnected:
            WebPadsConnected(event.virtualKey);
            break;
        case EventKind::PadGone:
            WebPadsDisconnected(event.virtualKey);
            break;
    }
}

}  // namespace

// The presenter's call once a lost WebGL context is back (web_present.js).
extern "C" EMSCRIPTEN_KEEPALIVE void zephyx_events_repaint_needed() {
    Queue(Event{EventKind::Repaint, 0, false});
}

void WebEventsQueueKey(int source, int virtualKey, bool down) {
    Queue(Event{EventKind::Key, virtualKey, down, source});
}

void WebEventsQueuePad(int pad, bool connected) {
    Queue(Event{connected ? EventKind::PadConnected : EventKind::PadGone, pad, connected});
}

void WebEventsListen() {
    gFirst = 0;
    gCount = 0;
    WebInputReleaseAll();
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, nullptr, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(page, nullptr, EM_TRUE, OnKey);
    emscripten_set_blur_callback(page, nullptr, EM_TRUE, OnBlur);
    emscripten_set_resize_callback(page, nullptr, EM_TRUE, OnResize);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, OnVisibility);
    WebPadsListen();
    // A page opened in a background tab starts hidden.
    EmscriptenVisibilityChangeEvent visibility;
    if (emscripten_get_visibility_status(&visibility) == EMSCRIPTEN_RESULT_SUCCESS &&
        visibility.hidden) {
        Queue(Event{EventKind::Hidden, 0, false});
    }
}

void WebEventsStop() {
    emscripten_html5_remove_all_event_listeners();
    gCount = 0;
}

bool WebEventsWaiting() {
    return gCount > 0;
}

bool WebKeyWaiting() {
    for (int i = 0; i < gCount; ++i) {
        if (gQueue[(gFirst + i) % kQueueSize].kind == EventKind::Key) {
            return true;
        }
    }
    return false;
}

bool WebEventsDeliver() {
    const bool any = gCount > 0;
    while (gCount > 0) {
        const Event event = gQueue[gFirst];
        gFirst = (gFirst + 1) % kQueueSize;
        --gCount;
        Deliver(event);
    }
    return any;
}
