// Whether presentation waits for the display's vertical blank.
//
// The game paces itself to 60 frames a second by sleeping; vertical sync only removes tearing,
// and must never change the game's speed. The SDL backend asks once when its renderer exists.
#pragma once

enum class VsyncMode {
    kAuto,  // only where the refresh is a whole multiple of 60 Hz
    kOn,
    kOff,
};

// `refreshHz` is the display's refresh rate, 0 when unknown. In auto mode vsync is used only
// when the rate is within 1% of 60, 120, 180 or 240 Hz.
bool ShouldUseVsync(VsyncMode mode, double refreshHz);
