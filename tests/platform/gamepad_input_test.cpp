// What a pad's controls mean to the game, and keys merged from the keyboard and the pads.
#include <gtest/gtest.h>

#include <vector>

#include "platform/src/gamepad_mapping.h"
#include "platform/src/key_merge.h"

namespace {

PadKeys Map(const PadControls& controls) {
    PadLatch latch;
    return MapPadControls(controls, latch);
}

PadKeys Keys(bool left, bool right, bool up, bool down, bool fire, bool quit) {
    PadKeys keys;
    keys.left = left;
    keys.right = right;
    keys.up = up;
    keys.down = down;
    keys.fire = fire;
    keys.quit = quit;
    return keys;
}

TEST(GamepadMappingTest, DpadSteersAndFourControlsFire) {
    PadControls dpad;
    dpad.dpadLeft = dpad.dpadUp = true;
    EXPECT_EQ(Map(dpad), Keys(true, false, true, false, false, false));
    dpad = {};
    dpad.dpadRight = dpad.dpadDown = true;
    EXPECT_EQ(Map(dpad), Keys(false, true, false, true, false, false));

    PadControls south, shoulder, trigger, start;
    south.south = true;
    shoulder.rightShoulder = true;
    trigger.rightTrigger = 32767;
    start.start = true;
    for (const PadControls& fire : {south, shoulder, trigger, start}) {
        EXPECT_EQ(Map(fire), Keys(false, false, false, false, true, false));
    }
    EXPECT_EQ(Map(PadControls{}), PadKeys{});
}

TEST(GamepadMappingTest, OnlyBackAndStartTogetherQuit) {
    PadControls back;
    back.back = true;
    EXPECT_EQ(Map(back), PadKeys{}) << "Back alone does nothing";
    PadControls both = back;
    both.start = true;
    EXPECT_EQ(Map(both), Keys(false, false, false, false, false, true))
        << "Start held with Back is the quit chord, not fire";
    both.south = true;
    EXPECT_EQ(Map(both), Keys(false, false, false, false, true, true));
}

TEST(GamepadMappingTest, StickHasADeadZoneAndHysteresisOnEveryAxis) {
    struct Axis {
        int PadControls::*axis;
        int sign;
        bool PadKeys::*key;
    } axes[] = {{&PadControls::leftX, -1, &PadKeys::left},
                {&PadControls::leftX, +1, &PadKeys::right},
                {&PadControls::leftY, -1, &PadKeys::up},
                {&PadControls::leftY, +1, &PadKeys::down},
                {&PadControls::rightTrigger, +1, &PadKeys::fire}};
    for (const Axis& a : axes) {
        PadLatch latch;
        PadControls controls;
        // value along the travel -> whether the key is held after it
        std::vector<std::pair<int, bool>> travel = {
            {kReleaseThreshold + 1000, false},  // resting off-centre: nothing
            {kPressThreshold, false},           // at the threshold: not yet
            {kPressThreshold + 1, true},        // beyond it: pressed
            {kReleaseThreshold + 1, true},      // drifting back: still held
            {kPressThreshold - 1, true},
            {kReleaseThreshold, false},    // back in the dead zone: released
            {kPressThreshold - 1, false},  // the way out again needs the full threshold
            {32767, true},
        };
        for (auto [value, held] : travel) {
            controls.*a.axis = value * a.sign;
            EXPECT_EQ(MapPadControls(controls, latch).*a.key, held)
                << "axis value " << value * a.sign;
        }
    }
}

TEST(GamepadMappingTest, TheStickDoesNotMoveTheOtherWay) {
    PadLatch latch;
    PadControls controls;
    controls.leftX = -32768;
    controls.leftY = 32767;
    EXPECT_EQ(MapPadControls(controls, latch), Keys(true, false, false, true, false, false));
}

constexpr int kSpace = 0x20;
constexpr int kLeft = 0x25;
constexpr int kPad1 = 1;
constexpr int kPad2 = 2;

TEST(KeyMergeTest, AKeyIsDownWhileAnySourceHoldsIt) {
    KeyMerge merge;
    EXPECT_TRUE(merge.Set(KeyMerge::kKeyboard, kSpace, true)) << "first press changes the key";
    EXPECT_FALSE(merge.Set(kPad1, kSpace, true)) << "already down";
    EXPECT_FALSE(merge.Set(KeyMerge::kKeyboard, kSpace, false)) << "the pad still holds it";
    EXPECT_TRUE(merge.IsDown(kSpace));
    EXPECT_FALSE(merge.Set(kPad1, kLeft, false)) << "releasing what was never held";
    EXPECT_TRUE(merge.Set(kPad1, kSpace, false)) << "the last holder lets go";
    EXPECT_FALSE(merge.IsDown(kSpace));
}

TEST(KeyMergeTest, RepeatedPressesOfOneSourceNeedOneRelease) {
    KeyMerge merge;
    merge.Set(kPad1, kLeft, true);
    EXPECT_FALSE(merge.Set(kPad1, kLeft, true));
    EXPECT_TRUE(merge.Set(kPad1, kLeft, false));
}

TEST(KeyMergeTest, UnpluggingAPadReleasesOnlyWhatNoOtherSourceHolds) {
    KeyMerge merge;
    merge.Set(kPad1, kLeft, true);
    merge.Set(kPad1, kSpace, true);
    merge.Set(kPad2, kSpace, true);
    std::vector<int> released;
    merge.ReleaseSource(kPad1, [&](int key) { released.push_back(key); });
    EXPECT_EQ(released, std::vector<int>{kLeft});
    EXPECT_TRUE(merge.IsDown(kSpace));
    EXPECT_FALSE(merge.IsDown(kLeft));
}

TEST(KeyMergeTest, FocusLossReleasesEverySource) {
    KeyMerge merge;
    merge.Set(KeyMerge::kKeyboard, kLeft, true);
    merge.Set(kPad2, kSpace, true);
    merge.ReleaseAll();
    EXPECT_FALSE(merge.IsDown(kLeft));
    EXPECT_FALSE(merge.IsDown(kSpace));
    EXPECT_TRUE(merge.Set(kPad2, kSpace, true)) << "a new press after the loss is a change";
}

}  // namespace
