#include "web_pad_layout.h"

#include <cmath>

namespace {

enum StandardButton {
    kSouth = 0,
    kRightShoulder = 5,
    kRightTrigger = 7,
    kBack = 8,
    kStart = 9,
    kDpadUp = 12,
    kDpadDown = 13,
    kDpadLeft = 14,
    kDpadRight = 15,
};
enum StandardAxis { kLeftX = 0, kLeftY = 1 };

// The scale of the shared rules: SDL's, where a stick spans -32768 to 32767.
constexpr double kFullScale = 32767.0;

int Scaled(double value) {
    const double clamped = std::fmax(-1.0, std::fmin(1.0, value));
    return static_cast<int>(std::lround(clamped * kFullScale));
}

bool Pressed(const StandardPad& pad, int button) {
    return button < pad.buttonCount && pad.pressed[button] != 0;
}

int Axis(const StandardPad& pad, int axis) {
    return axis < pad.axisCount ? Scaled(pad.axes[axis]) : 0;
}

int Value(const StandardPad& pad, int button) {
    return button < pad.buttonCount ? Scaled(pad.values[button]) : 0;
}

}  // namespace

PadControls PadControlsFromStandardPad(const StandardPad& pad) {
    PadControls controls;
    controls.dpadLeft = Pressed(pad, kDpadLeft);
    controls.dpadRight = Pressed(pad, kDpadRight);
    controls.dpadUp = Pressed(pad, kDpadUp);
    controls.dpadDown = Pressed(pad, kDpadDown);
    controls.south = Pressed(pad, kSouth);
    controls.rightShoulder = Pressed(pad, kRightShoulder);
    controls.start = Pressed(pad, kStart);
    controls.back = Pressed(pad, kBack);
    controls.leftX = Axis(pad, kLeftX);
    controls.leftY = Axis(pad, kLeftY);
    controls.rightTrigger = Value(pad, kRightTrigger);
    return controls;
}
