// The window system as the game relies on it: activation on show and minimise, the queue's
// order and the quit message, destruction, default close handling, the cursor, message boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/src/window_events.h"
#include "headless.h"

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
};
std::vector<Received> gReceived;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    gReceived.push_back({message, wParam});
    if (message == WM_DESTROY) {
        PostQuitMessage(7);
    }
    if (message == WM_SETCURSOR) {
        SetCursor(nullptr);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowMessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        gReceived.clear();
    }

    HWND MakeWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = "TEST";
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        EXPECT_NE(RegisterClassA(&windowClass), 0);
        return CreateWindowExA(WS_EX_TOPMOST, "TEST", "TEST", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                               nullptr, nullptr, nullptr, nullptr);
    }

    std::vector<UINT> Messages() const {
        std::vector<UINT> messages;
        for (const Received& received : gReceived)
            messages.push_back(received.message);
        return messages;
    }

    // Takes and dispatches every waiting message; returns GetMessageA's last result.
    BOOL DrainQueue() {
        MSG message;
        BOOL result = 1;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            result = GetMessageA(&message, nullptr, 0, 0);
            if (result == 0)
                break;
            DispatchMessageA(&message);
        }
        return result;
    }
};

}  // namespace

TEST_F(WindowMessagesTest, ShowingActivatesAndMinimisingSetsTheHighWord) {
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(gReceived.empty()) << "nothing is activated before the window is shown";

    ShowWindow(window, SW_SHOWDEFAULT);
    ASSERT_EQ(gReceived.size(), 1u);
    EXPECT_EQ(gReceived[0].message, UINT(WM_ACTIVATE));
    EXPECT_EQ(HIWORD(gReceived[0].wParam), 0);
    EXPECT_NE(LOWORD(gReceived[0].wParam), WA_INACTIVE);

    HeadlessSetMinimised(true);
    ASSERT_EQ(gReceived.size(), 2u);
    EXPECT_NE(HIWORD(gReceived[1].wParam), 0);
    HeadlessSetMinimised(true);
    EXPECT_EQ(gReceived.size(), 2u) << "no second notice for the same state";
    HeadlessSetMinimised(false);
    ASSERT_EQ(gReceived.size(), 3u);
    EXPECT_EQ(HIWORD(gReceived[2].wParam), 0);
}

TEST_F(WindowMessagesTest, MinimisingReleasesHeldKeys) {
    HWND window = MakeWindow();
    ShowWindow(window, SW_SHOW);
    HeadlessKeyDown(VK_LEFT);
    ASSERT_TRUE(GetAsyncKeyState(VK_LEFT) & 0x8000);
    HeadlessSetMinimised(true);
    EXPECT_EQ(GetAsyncKeyState(VK_LEFT), 0);
}

TEST_F(WindowMessagesTest, FocusChangesActivateWithoutMinimisingAndLosingItReleasesKeys) {
    HWND window = MakeWindow();
    ShowWindow(window, SW_SHOW);
    gReceived.clear();
    HeadlessKeyDown(VK_SPACE);
    DrainQueue();
    gReceived.clear();

    HeadlessSetFocused(false);
    ASSERT_EQ(gReceived.size(), 1u);
    EXPECT_EQ(gReceived[0].message, UINT(WM_ACTIVATE));
    EXPECT_EQ(gReceived[0].wParam, WPARAM(WA_INACTIVE)) << "inactive, not minimised";
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE), 0);

    HeadlessSetFocused(true);
    ASSERT_EQ(gReceived.size(), 2u);
    EXPECT_EQ(gReceived[1].wParam, WPARAM(WA_ACTIVE));

    // Focus going while minimised keeps the minimised flag in the high word.
    HeadlessSetMinimised(true);
    HeadlessSetFocused(false);
    ASSERT_EQ(gReceived.size(), 4u);
    EXPECT_EQ(LOWORD(gReceived[3].wParam), WA_INACTIVE);
    EXPECT_NE(HIWORD(gReceived[3].wParam), 0);
}

TEST_F(WindowMessagesTest, PostedMessagesArriveInOrderAndQuitOnlyWhenNothingElseWaits) {
    HWND window = MakeWindow();
    ShowWindow(window, SW_SHOW);
    gReceived.clear();

    PostQuitMessage(3);
    HeadlessKeyDown('A');
    PostMessageA(window, WM_CLOSE + 1000, 11, 0);
    HeadlessKeyUp('A');

    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) << "peeking leaves it queued";
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
    EXPECT_EQ(message.message, UINT(WM_KEYDOWN));
    EXPECT_EQ(message.wParam, WPARAM('A'));
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
    EXPECT_EQ(message.message, UINT(WM_CLOSE + 1000));
    EXPECT_EQ(message.wParam, 11u);
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
    EXPECT_EQ(message.message, UINT(WM_KEYUP));

    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) << "the quit is reported";
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
    EXPECT_EQ(message.message, UINT(WM_QUIT));
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) << "and taken once";
}

TEST_F(WindowMessagesTest, DefaultCloseDestroysTheWindowWhichHearsDestroyBeforeReturning) {
    HWND window = MakeWindow();
    ShowWindow(window, SW_SHOW);
    EXPECT_TRUE(HeadlessWindowOpen());
    gReceived.clear();

    HeadlessRequestClose();
    EXPECT_EQ(DrainQueue(), 0) << "WM_CLOSE -> DestroyWindow -> WM_DESTROY -> quit";
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(HeadlessWindowOpen());
    EXPECT_FALSE(DestroyWindow(window)) << "a destroyed window is gone";
    EXPECT_FALSE(PostMessageA(window, WM_CLOSE, 0, 0));
}

TEST_F(WindowMessagesTest, TheCursorHidesWhenTheProcedureClearsItOverTheWindow) {
    HWND window = MakeWindow();
    ShowWindow(window, SW_SHOW);
    EXPECT_TRUE(HeadlessCursorShown());
    HeadlessMoveMouse();
    EXPECT_EQ(Messages().back(), UINT(WM_SETCURSOR));
    EXPECT_FALSE(HeadlessCursorShown());
}

TEST_F(WindowMessagesTest, ClassesAndWindowsRefuseBadRequests) {
    WNDCLASSA windowClass{};
    EXPECT_EQ(RegisterClassA(&windowClass), 0) << "no procedure, no name";
    EXPECT_EQ(RegisterClassA(nullptr), 0);
    EXPECT_EQ(CreateWindowExA(0, "NOSUCHCLASS", "", 0, 0, 0, 640, 480, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    MakeWindow();
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.lpszClassName = "TEST";
    EXPECT_EQ(RegisterClassA(&windowClass), 0) << "a class name is registered once";
}

TEST_F(WindowMessagesTest, NoWindowWithoutADisplay) {
    HeadlessSetWindowAvailable(false);
    EXPECT_EQ(MakeWindow(), nullptr);
}

TEST_F(WindowMessagesTest, MessageBoxesAreRecordedAndReturnOk) {
    EXPECT_EQ(MessageBoxA(nullptr, "SetDisplayMode FAILED", "ZEPHYX", MB_OK), IDOK);
    ASSERT_EQ(HeadlessMessageBoxes().size(), 1u);
    EXPECT_EQ(HeadlessMessageBoxes()[0], "ZEPHYX: SetDisplayMode FAILED");
}

TEST_F(WindowMessagesTest, PeekingWhileMinimisedWaitsInsteadOfSpinning) {
    HWND window = MakeWindow();
    ShowWindow(window, SW_SHOW);
    HeadlessSetTime(1000);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(HeadlessTime(), 1000u) << "an active window's peek returns at once";
    HeadlessSetMinimised(true);
    DrainQueue();
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_GT(HeadlessTime(), 1000u) << "a minimised window's peek waits for events";
    EXPECT_TRUE(HeadlessLastPumpWaitedForEvent()) << "for the next one, not for a timeout";
}

// A close request, the window's or the game's own, needs no queue slot: a flood of input that
// fills the queue cannot crowd it out, and it comes before the input waiting ahead of it.
TEST_F(WindowMessagesTest, CloseRequestsSurviveAFloodOfInput) {
    for (bool fromGame : {false, true}) {
        SCOPED_TRACE(fromGame ? "posted by the game" : "the window's close button");
        HeadlessReset();
        gReceived.clear();
        HWND window = MakeWindow();
        ShowWindow(window, SW_SHOW);
        for (int tap = 0; tap < 1000; ++tap) {
            HeadlessKeyDown('A');
            HeadlessKeyUp('A');
        }
        if (fromGame) {
            EXPECT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
        } else {
            HeadlessRequestClose();
        }
        MSG message;
        ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
        EXPECT_EQ(message.message, UINT(WM_CLOSE));
        EXPECT_EQ(DrainQueue(), 0) << "the close ends in the quit";
        EXPECT_FALSE(HeadlessWindowOpen());
        EXPECT_EQ(Messages().front(), UINT(WM_ACTIVATE));
        EXPECT_EQ(Messages()[1], UINT(WM_CLOSE)) << "ahead of the waiting keys";
    }
}

// A backend stops taking input while the queue is full, so nothing it moves in is refused.
TEST_F(WindowMessagesTest, TheQueueSaysWhenItCanTakeNoMoreInput) {
    HWND window = MakeWindow();
    ShowWindow(window, SW_SHOW);
    int taken = 0;
    while (PlatformCanTakeEvent() && taken < 10000) {
        HeadlessKeyDown('A');
        ++taken;
    }
    EXPECT_GE(taken, 100) << "a frame's worth of input and far more fits";
    EXPECT_LT(taken, 10000) << "the queue must say when it is full";
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(PlatformCanTakeEvent()) << "taking a message makes room";
    int dispatched = 1;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ++dispatched;
    }
    EXPECT_EQ(dispatched, taken) << "every key that was taken arrives";
}
