// What a gamepad's controls mean to the game: the keys it holds.
//
// The D-pad and the left stick steer (the arrow keys); the south face button, the right
// shoulder, the right trigger and Start fire (Space, which also starts a game from the title);
// Back and Start held together quit (Escape), so no single button can end the game by mistake.
// Pure and shared by the backends with pads: the SDL glue (sdl_input.cpp) calls MapPadControls
// on every change of a pad, the web one (web_input.cpp) on every reading of one.
#pragma once

// One pad's controls in the standard layout, on the scale of SDL's GameController API (the
// browser's standard mapping is scaled to it).
struct PadControls {
    bool dpadLeft = false;
    bool dpadRight = false;
    bool dpadUp = false;
    bool dpadDown = false;
    bool south = false;
    bool rightShoulder = false;
    bool start = false;
    bool back = false;
    int leftX = 0;         // -32768 (left) to 32767 (right)
    int leftY = 0;         // -32768 (up) to 32767 (down)
    int rightTrigger = 0;  // 0 (released) to 32767
};

// The keys a pad holds.
struct PadKeys {
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
    bool fire = false;
    bool quit = false;
    bool operator==(const PadKeys&) const = default;
};

// Analogue controls count as pressed beyond kPressThreshold and as released only once back
// within kReleaseThreshold, so a stick resting near the edge of its dead zone never flickers.
constexpr int kPressThreshold = 13000;
constexpr int kReleaseThreshold = 8000;

// The analogue directions and the trigger as last decided, kept per pad between readings.
struct PadLatch {
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
    bool trigger = false;
};

// The keys `controls` hold, given what the analogue controls were taken to be before
// (`latch`, updated).
PadKeys MapPadControls(const PadControls& controls, PadLatch& latch);

// Each of a pad's keys and the virtual key the game reads for it.
struct PadKeyBinding {
    bool PadKeys::*held;
    int virtualKey;
};
extern const PadKeyBinding kPadKeyBindings[6];
