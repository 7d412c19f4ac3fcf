#include "web_pads.h"

#include <emscripten/html5.h>

#include <cstdint>
#include <cstring>

#include "web_events.h"
#include "web_input.h"
#include "web_pad_layout.h"

namespace {

// The most axes and buttons emscripten reports of a pad.
constexpr int kReportedControls = 64;

uint32_t gConnected;  // bit i: pad i is plugged in
bool gReadDue;

uint32_t Bit(int pad) {
    return uint32_t{1} << pad;
}

bool Known(int pad) {
    return pad >= 0 && pad < kWebPads;
}

EM_BOOL OnConnected(int, const EmscriptenGamepadEvent* event, void*) {
    WebEventsQueuePad(event->index, true);
    return EM_FALSE;
}

EM_BOOL OnDisconnected(int, const EmscriptenGamepadEvent* event, void*) {
    WebEventsQueuePad(event->index, false);
    return EM_FALSE;
}

int AtMostReported(int count) {
    return count < kReportedControls ? count : kReportedControls;
}

// Reads pad `pad` from the latest sample; false once the browser no longer shows it.
bool ReadPad(int pad) {
    EmscriptenGamepadEvent state;
    if (emscripten_get_gamepad_status(pad, &state) != EMSCRIPTEN_RESULT_SUCCESS ||
        !state.connected) {
        return false;
    }
    // Another layout numbers its controls its own way: such a pad is left alone.
    if (std::strcmp(state.mapping, "standard") == 0) {
        const StandardPad standard{state.axis, AtMostReported(state.numAxes), state.analogButton,
                                   state.digitalButton, AtMostReported(state.numButtons)};
        WebInputPadRead(pad, PadControlsFromStandardPad(standard));
    }
    return true;
}

}  // namespace

void WebPadsListen() {
    gConnected = 0;
    gReadDue = true;
    emscripten_set_gamepadconnected_callback(nullptr, EM_TRUE, OnConnected);
    emscripten_set_gamepaddisconnected_callback(nullptr, EM_TRUE, OnDisconnected);
    // A pad the player has already used with this browser may be shown without an event.
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) {
        return;
    }
    EmscriptenGamepadEvent state;
    for (int pad = 0; pad < emscripten_get_num_gamepads() && Known(pad); ++pad) {
        if (emscripten_get_gamepad_status(pad, &state) == EMSCRIPTEN_RESULT_SUCCESS &&
            state.connected) {
            gConnected |= Bit(pad);
        }
    }
}

void WebPadsConnected(int pad) {
    if (Known(pad)) {
        gConnected |= Bit(pad);
        gReadDue = true;
    }
}

void WebPadsDisconnected(int pad) {
    if (Known(pad) && (gConnected & Bit(pad)) != 0) {
        gConnected &= ~Bit(pad);
        WebInputPadGone(pad);
    }
}

void WebPadsFrameEnded() {
    gReadDue = true;
}

void WebPadsRead() {
    if (gConnected == 0 || !gReadDue) {
        return;
    }
    gReadDue = false;
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) {
        return;
    }
    for (int pad = 0; pad < kWebPads; ++pad) {
        if ((gConnected & Bit(pad)) != 0 && !ReadPad(pad)) {
            WebPadsDisconnected(pad);
        }
    }
}
