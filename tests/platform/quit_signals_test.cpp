// The quit-signal watcher against SDL's event queue alone. Signals, blocked masks and the
// watcher thread belong to the whole process, so every case runs in a child process of its
// own and reports through its exit.
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/sdl/quit_signals.h"

namespace {

// Only a bound for a watcher that never answers; an answer comes at once.
const int kAnswerMilliseconds = 10000;

enum Outcome { kAllAnswered, kNoRequest, kSecondLost };

void StartEventsAndWatcher() {
    BlockQuitSignals();
    if (SDL_Init(SDL_INIT_EVENTS) != 0) {
        _exit(99);
    }
    StartQuitSignalWatch();
}

// Waits as a pump does for the watcher's wake-up, then takes the request it announces.
bool RequestArrives() {
    SDL_Event event;
    while (SDL_WaitEventTimeout(&event, kAnswerMilliseconds) != 0) {
        if (event.type == SDL_USEREVENT) {
            return TakeQuitSignal();
        }
    }
    return false;
}

void Send(int number) {
    kill(getpid(), number);
}

// Signals that come one after another, each once the one before it was taken.
int SendInTurn(std::initializer_list<int> numbers) {
    StartEventsAndWatcher();
    int sent = 0;
    for (int number : numbers) {
        Send(number);
        if (!RequestArrives()) {
            return sent == 0 ? kNoRequest : kSecondLost;
        }
        ++sent;
    }
    return kAllAnswered;
}

class QuitSignalsTest : public testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

// A signal from before the watcher starts (SDL starting up, no window yet) waits for it.
TEST_F(QuitSignalsTest, SignalBeforeTheWatcherIsTakenOnceItStarts) {
    EXPECT_EXIT(
        {
            BlockQuitSignals();
            Send(SIGTERM);
            SDL_Init(SDL_INIT_EVENTS);
            StartQuitSignalWatch();
            exit(RequestArrives() ? kAllAnswered : kNoRequest);
        },
        testing::ExitedWithCode(kAllAnswered), "");
}

// A log-out's SIGHUP and SIGTERM, or Ctrl+C pressed twice: the second must not cut the close
// short.
TEST_F(QuitSignalsTest, SecondSignalIsOneMoreRequest) {
    EXPECT_EXIT(exit(SendInTurn({SIGHUP, SIGTERM})), testing::ExitedWithCode(kAllAnswered), "");
    EXPECT_EXIT(exit(SendInTurn({SIGINT, SIGINT})), testing::ExitedWithCode(kAllAnswered), "");
}

TEST_F(QuitSignalsTest, ThirdSignalEndsTheProgramAtOnce) {
    EXPECT_EXIT(exit(SendInTurn({SIGHUP, SIGTERM, SIGINT})), testing::KilledBySignal(SIGINT), "");
}

// Stopped before SDL goes down, the watcher takes nothing more, and a signal then neither
// ends the program nor becomes a request: the program is on its way out already.
TEST_F(QuitSignalsTest, StoppedWatcherLeavesSignalsBlocked) {
    EXPECT_EXIT(
        {
            StartEventsAndWatcher();
            StopQuitSignalWatch();
            Send(SIGTERM);
            sigset_t pending;
            sigpending(&pending);
            exit(sigismember(&pending, SIGTERM) == 1 && !TakeQuitSignal() ? kAllAnswered
                                                                          : kNoRequest);
        },
        testing::ExitedWithCode(kAllAnswered), "");
}

}  // namespace
