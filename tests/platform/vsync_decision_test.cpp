// When presentation may wait for the vertical blank without changing the game's speed.
#include <gtest/gtest.h>

#include "platform/sdl/renderer_decision.h"
#include "platform/sdl/vsync_decision.h"

namespace {

TEST(VsyncDecisionTest, AutoOnlyWithinOnePercentOfAWholeMultipleOf60Hz) {
    for (double hz : {60.0, 59.94, 60.59, 59.41, 119.88, 120.0, 180.0, 240.0, 237.7}) {
        EXPECT_TRUE(ShouldUseVsync(VsyncMode::kAuto, hz)) << hz;
    }
    for (double hz : {0.0, 50.0, 59.0, 61.0, 75.0, 90.0, 100.0, 144.0, 165.0, 300.0, 360.0}) {
        EXPECT_FALSE(ShouldUseVsync(VsyncMode::kAuto, hz)) << hz;
    }
}

TEST(VsyncDecisionTest, OnAndOffIgnoreTheRefresh) {
    for (double hz : {0.0, 60.0, 75.0, 144.0}) {
        EXPECT_TRUE(ShouldUseVsync(VsyncMode::kOn, hz)) << hz;
        EXPECT_FALSE(ShouldUseVsync(VsyncMode::kOff, hz)) << hz;
    }
}

// Only a GPU renderer waits for the vertical blank: asking for it keeps one, even on llvmpipe.
TEST(VsyncDecisionTest, AutoDrawsOnTheCpuOnlyWhereOpenGlDoesAndVsyncWasNotAskedFor) {
    for (VsyncMode vsync : {VsyncMode::kAuto, VsyncMode::kOff}) {
        EXPECT_TRUE(TradeForCpuDrawing(true, false, vsync));
        EXPECT_FALSE(TradeForCpuDrawing(false, false, vsync)) << "a real GPU";
        EXPECT_FALSE(TradeForCpuDrawing(true, true, vsync)) << "SDL_RENDER_DRIVER named it";
    }
    EXPECT_FALSE(TradeForCpuDrawing(true, false, VsyncMode::kOn));
}

}  // namespace
