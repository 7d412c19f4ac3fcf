// When the program's frames begin, on the headless backend's virtual clock: the sleep after a
// frame ends just before the next picture is due, by what recent frames took, so a key that
// arrives at the event pump is read by the frame that follows and on screen as soon as that
// frame is ready, by its deadline. The frame's cost is played by moving the clock at the pump.
#include <gtest/gtest.h>

#include <vector>

#include "game/actor.h"
#include "game/scene.h"
#include "headless.h"
#include "support/program_run.h"

namespace {

constexpr uint64_t kPeriod = 1000000 / 60;  // due times are whole microseconds, rounded down
constexpr uint64_t kMillisecond = 1000;

// One frame as the pump before it saw it.
struct FrameStart {
    uint64_t wokeAt;       // before the frame's cost
    uint32_t presents;     // presented so far, this frame's not included
    uint64_t presentedAt;  // the latest present
    uint64_t due;          // when this frame's picture is due, as the sleep before it had it
    double shipX;
};

struct Script {
    // Milliseconds the frame `gameFrame` frames into the game costs (-1: still at the title).
    uint32_t (*cost)(int gameFrame);
    std::vector<int> leftPresses;  // game frames at whose pump the left arrow goes down
    int endAt = 0;
    uint32_t flipsSeen = UINT32_MAX;
    int gameStart = -1;
    std::vector<FrameStart> frames;  // from the first game frame on
};

Script gScript;

HWND MainWindow() {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(1));
}

// Runs once per frame, at its first pump: keys posted here add pumps of their own.
void PlayFrame(void*) {
    Script& script = gScript;
    if (HeadlessFlipCount() == script.flipsSeen) {
        return;
    }
    script.flipsSeen = HeadlessFlipCount();
    if (gScene == kSceneTitle && script.flipsSeen == 3) {
        HeadlessKeyDown(VK_SPACE);
    }
    if (gScene != kSceneGame) {
        return;
    }
    HeadlessKeyUp(VK_SPACE);
    HeadlessKeyUp(VK_LEFT);
    const int frame = static_cast<int>(script.frames.size());
    script.frames.push_back(FrameStart{HeadlessMicroseconds(), HeadlessPresentCount(),
                                       HeadlessLastPresentMicroseconds(),
                                       HeadlessLastFrameSleepDue(), gPlayer.x});
    for (int press : script.leftPresses) {
        if (press == frame) {
            HeadlessKeyDown(VK_LEFT);
        }
    }
    if (frame == script.endAt) {
        PostMessageA(MainWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
    HeadlessAdvanceTime(script.cost(frame));
}

class LateInputTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgram(); }
    void TearDown() override { ResetProgram(); }

    void Play(uint32_t (*cost)(int), std::vector<int> presses, int end) {
        gScript = Script{};
        gScript.cost = cost;
        gScript.leftPresses = std::move(presses);
        gScript.endAt = end;
        HeadlessSetPumpHook(PlayFrame, nullptr);
        ASSERT_EQ(RunWinMain(), 0);
        ASSERT_GT(gScript.frames.size(), static_cast<size_t>(end));
    }

    // The picture of the frame begun at `frame`, as the next frame's pump saw it.
    static uint64_t ShownAt(int frame) { return gScript.frames[frame + 1].presentedAt; }

    // A left press at `frame`'s pump, which costs `cost`, moves the ship in the picture that
    // frame presents, and that picture is shown as soon as it is ready: the frame woke less
    // than a millisecond before its picture's deadline, and early enough to be on time.
    static void ExpectShownOnTime(int frame, uint64_t cost) {
        const FrameStart& pressed = gScript.frames[frame];
        const FrameStart& next = gScript.frames[frame + 1];
        EXPECT_EQ(next.presents, pressed.presents + 1) << "frame " << frame << " presented";
        EXPECT_LT(next.shipX, pressed.shipX) << "frame " << frame << " did not read the key";
        EXPECT_EQ(next.presentedAt - pressed.wokeAt, cost)
            << "frame " << frame << "'s picture was held back after it was ready";
        EXPECT_LE(next.presentedAt, pressed.due) << "frame " << frame << " woke too late";
        EXPECT_LT(pressed.due - pressed.wokeAt, cost + kMillisecond)
            << "the key pressed at frame " << frame << " was read too early";
    }

    // Pictures due a frame period apart, to the microsecond, and each shown by its due time
    // and no more than half a millisecond before.
    static void ExpectOnSchedule(int first, int last) {
        for (int frame = first; frame < last; ++frame) {
            const uint64_t interval = gScript.frames[frame + 1].due - gScript.frames[frame].due;
            EXPECT_TRUE(interval == kPeriod || interval == kPeriod + 1)
                << "frame " << frame + 1 << " was due " << interval << " us after the one before";
            const uint64_t due = gScript.frames[frame].due;
            EXPECT_LE(ShownAt(frame), due) << "frame " << frame << " was late";
            EXPECT_GE(ShownAt(frame) + kMillisecond / 2, due) << "frame " << frame << " early";
        }
    }
};

// Frames that cost nothing: the pump that reads a key comes less than a millisecond before the
// deadline of the picture that shows it.
TEST_F(LateInputTest, AKeyIsReadJustBeforeTheDeadlineOfThePictureThatShowsIt) {
    Play([](int) { return 0u; }, {20, 40}, 50);
    ExpectShownOnTime(20, 0);
    ExpectShownOnTime(40, 0);
    ExpectOnSchedule(10, 49);
}

// Frames of 5 ms: the wake-up moves earlier within a few frames, so they are shown on time,
// and no earlier than they need; once frames cost nothing again, later again. A 40 ms frame
// is shown at once, late, and the schedule starts again from it rather than catching up.
TEST_F(LateInputTest, TheWakeUpFollowsWhatFramesCostAndALateFrameIsNotCaughtUp) {
    Play(
        [](int frame) -> uint32_t {
            if (frame < 120) {
                return 5;
            }
            return frame == 150 ? 40 : 0;
        },
        {60, 90, 290}, 300);
    ExpectOnSchedule(20, 119);
    ExpectShownOnTime(60, 5 * kMillisecond);
    ExpectShownOnTime(90, 5 * kMillisecond);

    EXPECT_EQ(ShownAt(150) - gScript.frames[150].wokeAt, 40 * kMillisecond)
        << "the late frame waited after it was ready";
    EXPECT_EQ(gScript.frames[151].due - ShownAt(150), kPeriod)
        << "the frame after a late one caught up";
    ExpectOnSchedule(151, 299);
    ExpectShownOnTime(290, 0);
}

}  // namespace
