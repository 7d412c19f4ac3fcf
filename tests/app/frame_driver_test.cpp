// The frame driver on its own: scene dispatch, the frame counter and the end of a frame.
// The scenes, the text and the flip are recording fakes, so each test sees exactly what one
// RunFrame called, in order, and with which counter text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame.h"
#include "display/blit.h"
#include "display/text.h"
#include "game/game.h"
#include "game/title.h"
#include "headless.h"
#include "support/allocation_counter.h"

namespace {

std::vector<std::string> gCalls;
std::string gLastSheetText;
HRESULT gSheetTextResult;
HRESULT gFlipResult;
BYTE gSceneWrittenByFrame;  // what the fake TitleFrame/GameFrame writes to gScene, 0 for nothing

HWND const kWindow = reinterpret_cast<HWND>(0x1234);

class FrameDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        gCalls.clear();
        gCalls.reserve(64);
        gLastSheetText.reserve(64);
        gLastSheetText.clear();
        gSheetTextResult = 0;
        gFlipResult = 0;
        gSceneWrittenByFrame = 0;
        gScene = kSceneTitleSetup;
        gFrameCount = 0;
        gFpsTime = 0;
        gFpsText[0] = '\0';
    }

    // Runs one frame at `time` and returns the calls it made.
    std::vector<std::string> FrameAt(DWORD time) {
        HeadlessSetTime(time);
        gCalls.clear();
        RunFrame(kWindow);
        return gCalls;
    }
};

using Calls = std::vector<std::string>;

}  // namespace

// Fakes of what the frame driver calls. Set-ups write their scene as the real ones do.
void TitleInit(HWND) {
    gCalls.push_back("TitleInit");
    gScene = kSceneTitle;
}
HRESULT TitleFrame(HWND) {
    gCalls.push_back("TitleFrame");
    if (gSceneWrittenByFrame != 0)
        gScene = gSceneWrittenByFrame;
    return 0x1;  // a scene's failure must not stop the frame
}
void GameInit(HWND) {
    gCalls.push_back("GameInit");
    gScene = kSceneGame;
}
HRESULT GameFrame(HWND) {
    gCalls.push_back("GameFrame");
    if (gSceneWrittenByFrame != 0)
        gScene = gSceneWrittenByFrame;
    return 0x2;
}
HRESULT DrawSheetText(const char* text, int x, int y, int row) {
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(row, 0);
    gLastSheetText = text;
    gCalls.push_back("DrawSheetText");
    return gSheetTextResult;
}
HRESULT FlipPrimary() {
    gCalls.push_back("FlipPrimary");
    return gFlipResult;
}

TEST_F(FrameDriverTest, SetUpScenesFallThroughIntoTheirFrameInTheSameCall) {
    EXPECT_EQ(FrameAt(0), (Calls{"TitleInit", "TitleFrame", "DrawSheetText", "FlipPrimary"}));
    EXPECT_EQ(gScene, kSceneTitle);
    EXPECT_EQ(FrameAt(16), (Calls{"TitleFrame", "DrawSheetText", "FlipPrimary"}));

    gScene = kSceneGameSetup;
    EXPECT_EQ(FrameAt(32), (Calls{"GameInit", "GameFrame", "DrawSheetText", "FlipPrimary"}));
    EXPECT_EQ(gScene, kSceneGame);
    EXPECT_EQ(FrameAt(48), (Calls{"GameFrame", "DrawSheetText", "FlipPrimary"}));
}

TEST_F(FrameDriverTest, ASceneWrittenByAFrameTakesEffectAtTheNextCall) {
    gScene = kSceneTitle;
    gSceneWrittenByFrame = kSceneGameSetup;
    EXPECT_EQ(FrameAt(0), (Calls{"TitleFrame", "DrawSheetText", "FlipPrimary"}));
    EXPECT_EQ(gScene, kSceneGameSetup);

    gSceneWrittenByFrame = kSceneTitleSetup;  // the game ends
    EXPECT_EQ(FrameAt(16), (Calls{"GameInit", "GameFrame", "DrawSheetText", "FlipPrimary"}));
    EXPECT_EQ(gScene, kSceneTitleSetup);
    gSceneWrittenByFrame = 0;
    EXPECT_EQ(FrameAt(32), (Calls{"TitleInit", "TitleFrame", "DrawSheetText", "FlipPrimary"}));
}

TEST_F(FrameDriverTest, UnknownScenesRunNoSceneButStillDrawAndPresent) {
    for (BYTE scene : {0, 9, 12, 29, 32, 255}) {
        gScene = scene;
        EXPECT_EQ(FrameAt(0), (Calls{"DrawSheetText", "FlipPrimary"})) << int(scene);
        EXPECT_EQ(gScene, scene);
    }
}

TEST_F(FrameDriverTest, CounterTextFailureSkipsTheFlipAndIsReturned) {
    gSheetTextResult = static_cast<HRESULT>(0x88760096);
    gFlipResult = 0x7;
    HeadlessSetTime(0);
    EXPECT_EQ(RunFrame(kWindow), static_cast<HRESULT>(0x88760096));
    EXPECT_EQ(gCalls.back(), "DrawSheetText");

    gSheetTextResult = 0;
    EXPECT_EQ(RunFrame(kWindow), 0x7);
    EXPECT_EQ(gCalls.back(), "FlipPrimary");
}

TEST_F(FrameDriverTest, EachFrameSamplesTheClockOnce) {
    FrameAt(12345);
    EXPECT_EQ(gNow, 12345u);
    FrameAt(0xFFFFFFFFu);
    EXPECT_EQ(gNow, 0xFFFFFFFFu);
}

TEST_F(FrameDriverTest, CounterUpdatesAtExactly1000MsAndCountsTheCurrentFrame) {
    gScene = 0;
    gFpsTime = 5000;
    for (DWORD t = 5001; t < 5000 + 999; t += 17) {
        FrameAt(t);
    }
    FrameAt(5999);
    EXPECT_STREQ(gFpsText, "") << "999 ms must not update the counter";
    EXPECT_EQ(gLastSheetText, "");
    int framesSoFar = gFrameCount;

    FrameAt(6000);
    EXPECT_EQ(gFpsTime, 6000u);
    EXPECT_EQ(gFrameCount, 0);
    char expected[32];
    snprintf(expected, sizeof expected, "%04d FPS", framesSoFar + 1);
    EXPECT_STREQ(gFpsText, expected);
    EXPECT_EQ(gLastSheetText, expected) << "the new text is drawn in the frame that made it";

    FrameAt(6999);
    EXPECT_STREQ(gFpsText, expected) << "the next interval runs from the update's gNow";
    EXPECT_EQ(gFrameCount, 1);
}

TEST_F(FrameDriverTest, SixtyFramesGiveFourDigitTextAndLargeCountsAreNotTruncated) {
    gScene = 0;
    for (int i = 1; i <= 59; ++i)
        FrameAt(i * 16);
    FrameAt(1000);
    EXPECT_STREQ(gFpsText, "0060 FPS");

    for (int i = 0; i < 12344; ++i)
        FrameAt(1001);
    FrameAt(2000);
    EXPECT_STREQ(gFpsText, "12345 FPS");
}

TEST_F(FrameDriverTest, CounterComparesAcrossTheWrapByUnsignedDifference) {
    gScene = 0;
    gFpsTime = 0xFFFFFE00u;  // 512 ms before the wrap
    FrameAt(0x000001E7u);    // 999 ms later, past the wrap
    EXPECT_STREQ(gFpsText, "");
    FrameAt(0x000001E8u);  // 1000 ms later
    EXPECT_STREQ(gFpsText, "0002 FPS");

    // A frame clock reading below the start-up stamp is a huge difference: update at once.
    gFpsTime = 50000;
    FrameAt(49999);
    EXPECT_STREQ(gFpsText, "0001 FPS");
    EXPECT_EQ(gFpsTime, 49999u);
}

TEST_F(FrameDriverTest, AFrameAllocatesNothing) {
    gScene = kSceneGame;
    FrameAt(0);
    size_t before = AllocationCount();
    for (DWORD t = 0; t < 3000; t += 16) {
        HeadlessSetTime(t);
        gCalls.clear();  // keeps the fakes' own record within its reserved capacity
        RunFrame(kWindow);
    }
    EXPECT_EQ(AllocationCount(), before);
}
