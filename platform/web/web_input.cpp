#include "web_input.h"

#include "../src/window_events.h"

namespace {

struct PadState {
    PadLatch latch;
    PadKeys keys;
};

KeyMerge gMerge;
PadState gPads[kWebPads];  // pad i is source i + 1

int SourceOf(int pad) {
    return pad + 1;
}

}  // namespace

void WebInputKey(int source, int virtualKey, bool down) {
    const bool changed = gMerge.Set(source, virtualKey, down);
    // Each press and auto-repeat of a real key is a WM_KEYDOWN, whoever else holds the key.
    if (changed || (down && source == KeyMerge::kKeyboard)) {
        PlatformKeyEvent(virtualKey, down);
    }
}

void WebInputPadRead(int pad, const PadControls& controls) {
    if (pad < 0 || pad >= kWebPads) {
        return;
    }
    PadState& state = gPads[pad];
    const PadKeys keys = MapPadControls(controls, state.latch);
    for (const PadKeyBinding& key : kPadKeyBindings) {
        if (keys.*key.held != state.keys.*key.held) {
            WebInputKey(SourceOf(pad), key.virtualKey, keys.*key.held);
        }
    }
    state.keys = keys;
}

void WebInputPadGone(int pad) {
    if (pad < 0 || pad >= kWebPads) {
        return;
    }
    gMerge.ReleaseSource(SourceOf(pad), [](int key) { PlatformKeyEvent(key, false); });
    gPads[pad] = PadState{};
}

void WebInputReleaseAll() {
    gMerge.ReleaseAll();
    for (PadState& pad : gPads) {
        pad.keys = PadKeys{};
    }
}
