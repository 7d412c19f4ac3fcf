// WinMain and the window procedure on the headless backend: closing keys, activation, the
// cursor, and messages before frames.
#include <gtest/gtest.h>

#include <vector>

#include "app/frame.h"
#include "app/main_window.h"
#include "display/display.h"
#include "headless.h"
#include "support/program_run.h"

namespace {

// What a pump hook does at each pass of the message loop, and what it saw.
struct Script {
    int pumps = 0;
    int closeKey = 0;  // pressed once this many frames were presented
    uint32_t closeAfterFrames = 5;
    int burstSize = 0;  // messages posted at once after the first frame
    uint32_t burstAtFrame = 0;
    int pumpsAfterBurst = -1;  // passes of the loop until the next frame
    bool deactivate = false;   // post one WM_ACTIVATE (inactive, not minimised) after frame 2
    HWND window = nullptr;
};

Script gScript;

HWND MainWindow() {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(1));
}

void RunScript(void*) {
    Script& script = gScript;
    ++script.pumps;
    uint32_t frames = HeadlessFlipCount();
    if (script.burstSize > 0 && frames == script.burstAtFrame && script.pumpsAfterBurst < 0) {
        for (int i = 0; i < script.burstSize; ++i) {
            PostMessageA(MainWindow(), WM_KEYDOWN, 'A', 0);
        }
        script.pumpsAfterBurst = 0;
    } else if (script.pumpsAfterBurst >= 0 && frames == script.burstAtFrame) {
        ++script.pumpsAfterBurst;
    }
    if (script.deactivate && frames == 2) {
        PostMessageA(MainWindow(), WM_ACTIVATE, WA_INACTIVE, 0);
        script.deactivate = false;
    }
    if (frames >= script.closeAfterFrames && script.closeKey != 0) {
        HeadlessKeyDown(script.closeKey);
        HeadlessKeyUp(script.closeKey);
        script.closeKey = 0;
    }
}

class WinMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgram();
        gScript = Script{};
        HeadlessSetPumpHook(RunScript, nullptr);
    }

    int Run() { return RunWinMain(); }
};

}  // namespace

TEST_F(WinMainTest, EscapeAndF12CloseWithExitCodeZero) {
    for (int key : {VK_ESCAPE, VK_F12}) {
        SetUp();
        gScript.closeKey = key;
        EXPECT_EQ(Run(), 0);
        EXPECT_FALSE(HeadlessWindowOpen());
        EXPECT_EQ(gDirectDraw, nullptr) << "destroying the window released the display";
        EXPECT_GE(HeadlessFlipCount(), 5u);
    }
}

// The window exists, so a post would be queued: only the closing keys post anything.
TEST_F(WinMainTest, OtherKeysAreSwallowedAndTheClosingKeysPostAClose) {
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    ASSERT_NE(window, nullptr);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        GetMessageA(&message, nullptr, 0, 0);  // what showing the window queued
    }
    for (WPARAM key : {WPARAM(VK_SPACE), WPARAM('A'), WPARAM(VK_RETURN), WPARAM(VK_F12 - 1)}) {
        EXPECT_EQ(MainWndProc(window, WM_KEYDOWN, key, 0), 0);
        EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE))
            << "key " << key << " posted a message; only Escape and F12 may";
    }
    for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_F12)}) {
        EXPECT_EQ(MainWndProc(window, WM_KEYDOWN, key, 0), 0);
        ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE))
            << "key " << key << " did not ask the window to close";
        GetMessageA(&message, nullptr, 0, 0);
        EXPECT_EQ(message.message, UINT(WM_CLOSE)) << "key " << key;
    }
}

// Each case starts from the opposite value, so only the window procedure's own write passes.
TEST_F(WinMainTest, ActivationFollowsTheMinimisedFlagOnly) {
    HWND window = MainWindow();
    gActive = 0;
    MainWndProc(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(gActive, 1) << "activation did not let frames run";
    gActive = 0;
    MainWndProc(window, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(gActive, 1) << "losing focus without minimising must keep frames running";
    gActive = 1;
    MainWndProc(window, WM_ACTIVATE, WA_INACTIVE | (1 << 16), 0);
    EXPECT_EQ(gActive, 0) << "minimising did not stop the frames";
    gActive = 1;
    MainWndProc(window, WM_ACTIVATE, WA_ACTIVE | (1 << 16), 0);
    EXPECT_EQ(gActive, 0) << "the low word is not looked at";
}

// The first frame is presented at once (nothing to pace yet), so the clock at the next pass of
// the loop shows the loop's own rest after the frame: the 1 ms asked for, or longer where the
// platform waits for the next picture's turn in it.
TEST_F(WinMainTest, TheLoopRestsAtLeastOneMillisecondAfterEachFrame) {
    struct Pass {
        uint32_t presented;
        uint32_t time;
    };
    static std::vector<Pass> passes;
    passes.clear();
    HeadlessSetPumpHook(
        [](void*) {
            passes.push_back({HeadlessPresentCount(), HeadlessTime()});
            if (HeadlessPresentCount() == 3) {
                PostMessageA(MainWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
            }
        },
        nullptr);
    EXPECT_EQ(Run(), 0);
    uint32_t lastBeforeFirstFrame = 0, firstAfter = 0;
    bool seenFrame = false;
    for (const Pass& pass : passes) {
        if (pass.presented == 0) {
            lastBeforeFirstFrame = pass.time;
        } else if (!seenFrame) {
            firstAfter = pass.time;
            seenFrame = true;
        }
    }
    ASSERT_TRUE(seenFrame);
    EXPECT_GE(firstAfter - lastBeforeFirstFrame, 1u)
        << "the message loop must sleep 1 ms after a frame, so the game never spins a core";
}

TEST_F(WinMainTest, ADeactivationThatIsNoMinimiseKeepsFramesRunning) {
    gScript.deactivate = true;
    gScript.closeKey = VK_ESCAPE;
    gScript.closeAfterFrames = 30;
    EXPECT_EQ(Run(), 0);
    EXPECT_GE(HeadlessFlipCount(), 30u);
}

TEST_F(WinMainTest, ABurstOfMessagesIsHandledBeforeTheNextFrame) {
    gScript.burstSize = 40;
    gScript.burstAtFrame = 3;
    gScript.closeKey = VK_ESCAPE;
    gScript.closeAfterFrames = 6;
    EXPECT_EQ(Run(), 0);
    EXPECT_GE(gScript.pumpsAfterBurst, 40) << "one message per pass, then the frame";
}

TEST_F(WinMainTest, TheCursorIsHiddenOverTheWindow) {
    HWND window = MainWindow();
    EXPECT_EQ(MainWndProc(window, WM_SETCURSOR, 0, 0), 1);
    EXPECT_FALSE(HeadlessCursorShown());
}

TEST_F(WinMainTest, NoWindowMeansExitCodeZeroAndNothingShown) {
    HeadlessSetWindowAvailable(false);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(HeadlessMessageBoxes().empty());
    EXPECT_EQ(HeadlessFlipCount(), 0u);
}

// A class of the program's name already registered makes RegisterClassA fail, and then no
// window may be made: the program's window procedure would not be the one behind it.
TEST_F(WinMainTest, AClassThatCannotBeRegisteredMakesNoWindow) {
    WNDCLASSA other = {};
    other.lpfnWndProc = DefWindowProcA;
    other.lpszClassName = "ZEPHYX";
    ASSERT_NE(RegisterClassA(&other), 0);
    EXPECT_EQ(CreateMainWindow(nullptr, SW_SHOWDEFAULT), nullptr)
        << "a window was made although its class could not be registered";
}
