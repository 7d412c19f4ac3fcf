// A pad in the browser's standard layout (Gamepad.mapping "standard"), read as the controls the
// game's pad rules take (gamepad_mapping.h).
//
// The standard layout numbers the controls the same on every pad the browser knows: buttons 0
// (south), 5 (right shoulder), 7 (right trigger, analogue), 8 (Back), 9 (Start), 12 to 15 (the
// D-pad); axes 0 and 1 (the left stick, -1 to 1, down positive). A pad missing some of them
// simply never presses those.
#pragma once

#include "../src/gamepad_mapping.h"

// What the browser reports of one pad.
struct StandardPad {
    const double* axes;  // -1 to 1
    int axisCount;
    const double* values;  // each button's value, 0 (released) to 1 (fully pressed)
    const int* pressed;    // each button's pressed flag
    int buttonCount;
};

PadControls PadControlsFromStandardPad(const StandardPad& pad);
