// Where the picture goes for each scaling mode and screen, and the size a window opens at.
#include <gtest/gtest.h>

#include "platform/sdl/scaling_geometry.h"

namespace {

ScalePlan Plan(ScaleMode mode, int width, int height, int maxFactor = 0) {
    return PlanScaling(mode, width, height, 640, 480, maxFactor);
}

TEST(ScalingGeometryTest, IntegerTakesTheLargestWholeFactorCentredWithBars) {
    EXPECT_EQ(Plan(ScaleMode::kInteger, 640, 480), (ScalePlan{{0, 0, 640, 480}, 1, false}));
    EXPECT_EQ(Plan(ScaleMode::kInteger, 1280, 960), (ScalePlan{{0, 0, 1280, 960}, 2, false}));
    EXPECT_EQ(Plan(ScaleMode::kInteger, 1920, 1080), (ScalePlan{{320, 60, 1280, 960}, 2, false}));
    EXPECT_EQ(Plan(ScaleMode::kInteger, 3840, 2160), (ScalePlan{{640, 120, 2560, 1920}, 4, false}));
    EXPECT_EQ(Plan(ScaleMode::kInteger, 1279, 959), (ScalePlan{{319, 239, 640, 480}, 1, false}));
}

TEST(ScalingGeometryTest, TheCpuCapKeepsIntegerScalingSharpWithWiderBars) {
    EXPECT_EQ(Plan(ScaleMode::kInteger, 3840, 2160, 2),
              (ScalePlan{{1280, 600, 1280, 960}, 2, false}));
    EXPECT_EQ(Plan(ScaleMode::kInteger, 1920, 1080, 2), Plan(ScaleMode::kInteger, 1920, 1080));
}

TEST(ScalingGeometryTest, ScreensSmallerThanThePictureShowAllOfItScaledDownSmoothly) {
    for (ScaleMode mode : {ScaleMode::kInteger, ScaleMode::kFit}) {
        EXPECT_EQ(Plan(mode, 320, 240), (ScalePlan{{0, 0, 320, 240}, 1, true}));
        EXPECT_EQ(Plan(mode, 640, 400), (ScalePlan{{53, 0, 533, 400}, 1, true}));
        EXPECT_EQ(Plan(mode, 600, 480), (ScalePlan{{0, 15, 600, 450}, 1, true}));
    }
    EXPECT_EQ(Plan(ScaleMode::kStretch, 640, 400), (ScalePlan{{0, 0, 640, 400}, 1, true}));
}

TEST(ScalingGeometryTest, FitKeeps4To3AndGoesSharpToTheNextWholeFactorBeforeSmoothing) {
    // 1280x1024 holds exactly 2x: no smoothing at all.
    EXPECT_EQ(Plan(ScaleMode::kFit, 1280, 1024), (ScalePlan{{0, 32, 1280, 960}, 2, false}));
    // 1920x1080 fits 1440x1080, between 2x and 3x.
    EXPECT_EQ(Plan(ScaleMode::kFit, 1920, 1080), (ScalePlan{{240, 0, 1440, 1080}, 3, true}));
    EXPECT_EQ(Plan(ScaleMode::kFit, 3840, 2160), (ScalePlan{{480, 0, 2880, 2160}, 5, true}));

    // A tall screen puts the bars above and below.
    EXPECT_EQ(Plan(ScaleMode::kFit, 1080, 1920), (ScalePlan{{0, 555, 1080, 810}, 2, true}));
}

TEST(ScalingGeometryTest, TheCpuCapShrinksFitAndStretchTargetsAboutTheMiddle) {
    EXPECT_EQ(Plan(ScaleMode::kFit, 3840, 2160, 2), (ScalePlan{{1280, 600, 1280, 960}, 2, false}));
    EXPECT_EQ(Plan(ScaleMode::kStretch, 1920, 1080, 2),
              (ScalePlan{{320, 180, 1280, 720}, 2, true}));
    // Within the cap nothing changes.
    EXPECT_EQ(Plan(ScaleMode::kFit, 1280, 1024, 2), Plan(ScaleMode::kFit, 1280, 1024));
    EXPECT_EQ(Plan(ScaleMode::kStretch, 1280, 800, 2), Plan(ScaleMode::kStretch, 1280, 800));
}

TEST(ScalingGeometryTest, StretchFillsTheOutputWhateverItsShape) {
    EXPECT_EQ(Plan(ScaleMode::kStretch, 1920, 1080), (ScalePlan{{0, 0, 1920, 1080}, 3, true}));
    EXPECT_EQ(Plan(ScaleMode::kStretch, 1280, 960), (ScalePlan{{0, 0, 1280, 960}, 2, false}));
    EXPECT_EQ(Plan(ScaleMode::kStretch, 1280, 481), (ScalePlan{{0, 0, 1280, 481}, 2, true}));
}

TEST(ScalingGeometryTest, TheCpuScalesAsFarAsItsMeasuredSpeedAllows) {
    const double frame = 1e9 / 60;  // a factor f costs f*f * 307200 pixels
    EXPECT_EQ(FactorWithinBudget(frame / (9 * 307200.0) * 0.99, frame, 640, 480), 3);
    EXPECT_EQ(FactorWithinBudget(frame / (9 * 307200.0) * 1.01, frame, 640, 480), 2);
    EXPECT_EQ(FactorWithinBudget(1000, frame, 640, 480), kCpuMinFactor) << "a slow machine";
    EXPECT_EQ(FactorWithinBudget(0.001, frame, 640, 480), 8) << "no display is larger";
    EXPECT_EQ(FactorWithinBudget(0, frame, 640, 480), kCpuMinFactor) << "nothing measured";
    // A machine that scales three times the picture in time fills 1600x1024 at fit.
    EXPECT_EQ(Plan(ScaleMode::kFit, 1600, 1024, 3).target, (ScaleRect{117, 0, 1365, 1024}));
}

TEST(ScalingGeometryTest, NoOutputDrawsNothing) {
    EXPECT_EQ(Plan(ScaleMode::kFit, 0, 0).target, (ScaleRect{0, 0, 0, 0}));
    EXPECT_EQ(Plan(ScaleMode::kInteger, 640, -1).target, (ScaleRect{0, 0, 0, 0}));
}

TEST(ScalingGeometryTest, WindowsOpenAtTheLargestWholeMultipleInNineTenthsOfTheUsableArea) {
    EXPECT_EQ(WindowedSize(1920, 1040, 640, 480), (ScaleSize{640, 480}));
    EXPECT_EQ(WindowedSize(1280, 960, 640, 480), (ScaleSize{640, 480}));
    EXPECT_EQ(WindowedSize(2560, 1400, 640, 480), (ScaleSize{1280, 960}));
    EXPECT_EQ(WindowedSize(3840, 2120, 640, 480), (ScaleSize{1920, 1440}));
    // Exactly nine tenths counts as fitting; a pixel less does not.
    EXPECT_EQ(WindowedSize(1423, 1067, 640, 480), (ScaleSize{1280, 960}));
    EXPECT_EQ(WindowedSize(1422, 1067, 640, 480), (ScaleSize{640, 480}));
    // Too small for even 1x: the largest 4:3 window in nine tenths of it.
    EXPECT_EQ(WindowedSize(640, 400, 640, 480), (ScaleSize{480, 360}));
    EXPECT_EQ(WindowedSize(320, 240, 640, 480), (ScaleSize{288, 216}));
}

}  // namespace
