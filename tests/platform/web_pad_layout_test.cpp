// A pad in the browser's standard layout, read as the controls of the shared pad rules.
#include <gtest/gtest.h>

#include "platform/web/web_pad_layout.h"

namespace {

struct Pad {
    double axes[2] = {};
    double values[17] = {};  // the standard layout's buttons, the last one the home button
    int pressed[17] = {};

    PadControls Read(int axisCount = 2, int buttonCount = 17) const {
        return PadControlsFromStandardPad(
            StandardPad{axes, axisCount, values, pressed, buttonCount});
    }
};

TEST(WebPadLayout, EachControlTheGameUsesIsReadFromItsStandardPlace) {
    const struct {
        int button;
        bool PadControls::*control;
    } kUsed[] = {{0, &PadControls::south},     {5, &PadControls::rightShoulder},
                 {8, &PadControls::back},      {9, &PadControls::start},
                 {12, &PadControls::dpadUp},   {13, &PadControls::dpadDown},
                 {14, &PadControls::dpadLeft}, {15, &PadControls::dpadRight}};
    for (const auto& used : kUsed) {
        Pad pad;
        pad.pressed[used.button] = 1;
        for (const auto& other : kUsed) {
            EXPECT_EQ(pad.Read().*other.control, &other == &used)
                << "pressing button " << used.button << ", reading button " << other.button;
        }
    }
    Pad analogue;
    analogue.axes[0] = -1.0;
    analogue.axes[1] = 1.5;    // some pads overshoot
    analogue.values[6] = 1.0;  // the left trigger, which does nothing
    analogue.values[7] = 0.25;
    const PadControls controls = analogue.Read();
    EXPECT_EQ(controls.leftX, -32767);
    EXPECT_EQ(controls.leftY, 32767);
    EXPECT_EQ(controls.rightTrigger, 8192) << "the right trigger's value, not its pressed flag";

    Pad small;  // a pad with fewer controls reads only what it has
    small.axes[1] = small.pressed[9] = 1;
    EXPECT_EQ(small.Read(1, 9).leftY, 0);
    EXPECT_FALSE(small.Read(1, 9).start);
    EXPECT_TRUE(small.Read(2, 10).start);
}

}  // namespace
