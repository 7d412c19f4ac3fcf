// The quit-signal watcher against SDL's event queue alone. Signals and the watcher belong to
// the whole process, so each case runs in a child process and reports through its end.
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/sdl/quit_signals.h"

namespace {

// Only a bound for a watcher that never answers; an answer comes at once.
const int kAnswerMilliseconds = 10000;

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

// Sends each signal once the one before it was taken; the first before the watcher starts,
// as in the moments before SDL runs. 0 when every one was a request.
int SignalInTurn(std::initializer_list<int> numbers) {
    BlockQuitSignals();
    SDL_Init(SDL_INIT_EVENTS);
    int sent = 0;
    for (int number : numbers) {
        kill(getpid(), number);
        if (sent++ == 0) {
            StartQuitSignalWatch();  // takes the signal that waited for it
        }
        if (!RequestArrives()) {
            return 1;
        }
    }
    return 0;
}

// Ctrl+C twice, or a log-out's SIGHUP and SIGTERM, must not cut the close short; a third
// signal is for a program that does not close.
TEST(QuitSignalsTest, TwoSignalsAreRequestsAndTheThirdEndsAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exit(SignalInTurn({SIGHUP, SIGTERM})), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(exit(SignalInTurn({SIGINT, SIGINT, SIGTERM})), testing::KilledBySignal(SIGTERM),
                "");
}

}  // namespace
