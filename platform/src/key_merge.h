// Keys held by several sources at once: the keyboard, each gamepad, the touch controls.
//
// A key is down while any source holds it: releasing it on one source does not release it for
// the game while another still holds it. A backend records every source's changes here
// and reports only the changes of the merged state to the platform (the keyboard's own presses
// always, as Windows posts a WM_KEYDOWN for each). Pure and allocation-free.
#pragma once

#include <cstdint>

class KeyMerge {
public:
    static constexpr int kKeyboard = 0;
    static constexpr int kSources = 32;  // the keyboard and a backend's pads and touch controls

    // Records that `source` holds or released `virtualKey`. Returns true when the merged key
    // changed: down and held by no other source before, or up and held by no source now.
    bool Set(int source, int virtualKey, bool down);

    bool IsDown(int virtualKey) const;

    // Releases every key `source` holds, as when a pad is unplugged, and calls
    // released(virtualKey) for each key no source holds any more.
    template <typename Released>
    void ReleaseSource(int source, Released released) {
        for (int key = 0; key < kKeys; ++key) {
            if ((holders_[key] & Bit(source)) != 0 && Set(source, key, false)) {
                released(key);
            }
        }
    }

    // Every source lets go of everything, as on focus loss.
    void ReleaseAll();

private:
    static constexpr int kKeys = 256;
    static uint32_t Bit(int source) { return uint32_t{1} << source; }
    static bool Valid(int source, int virtualKey) {
        return source >= 0 && source < kSources && virtualKey >= 0 && virtualKey < kKeys;
    }

    uint32_t holders_[kKeys] = {};
};
