#include "gamepad_mapping.h"

#include <windows.h>

namespace {

// `value` grows towards pressing; `held` is what it was last taken to be.
bool Latch(int value, bool held) {
    return held ? value > kReleaseThreshold : value > kPressThreshold;
}

}  // namespace

const PadKeyBinding kPadKeyBindings[6] = {
    {&PadKeys::left, VK_LEFT}, {&PadKeys::right, VK_RIGHT}, {&PadKeys::up, VK_UP},
    {&PadKeys::down, VK_DOWN}, {&PadKeys::fire, VK_SPACE},  {&PadKeys::quit, VK_ESCAPE},
};

PadKeys MapPadControls(const PadControls& controls, PadLatch& latch) {
    latch.left = Latch(-controls.leftX, latch.left);
    latch.right = Latch(controls.leftX, latch.right);
    latch.up = Latch(-controls.leftY, latch.up);
    latch.down = Latch(controls.leftY, latch.down);
    latch.trigger = Latch(controls.rightTrigger, latch.trigger);

    PadKeys keys;
    keys.left = controls.dpadLeft || latch.left;
    keys.right = controls.dpadRight || latch.right;
    keys.up = controls.dpadUp || latch.up;
    keys.down = controls.dpadDown || latch.down;
    keys.quit = controls.back && controls.start;
    // Start fires alone; held with Back it is half of the quit chord instead.
    keys.fire = controls.south || controls.rightShoulder || latch.trigger ||
                (controls.start && !controls.back);
    return keys;
}
