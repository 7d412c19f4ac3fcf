#include "quit_signals.h"

#include <SDL.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace {

std::atomic<bool> gQuitSignalled;

sigset_t QuitSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    return signals;
}

// The second signal meets the default action: this thread takes it unblocked and the program
// ends as if it had never asked for them.
[[noreturn]] void LetNextSignalEndTheProgram(const sigset_t& signals) {
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
    for (;;) {
        pause();
    }
}

void* WatchQuitSignals(void*) {
    const sigset_t signals = QuitSignals();
    int received = 0;
    while (sigwait(&signals, &received) != 0) {
    }
    gQuitSignalled = true;
    // Wakes a pump waiting for events (refused harmlessly before SDL's events are running).
    SDL_Event wake{};
    wake.type = SDL_USEREVENT;
    SDL_PushEvent(&wake);
    LetNextSignalEndTheProgram(signals);
}

}  // namespace

void StartQuitSignalWatch() {
    // SDL would otherwise install its own handlers for two of them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    const sigset_t signals = QuitSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    pthread_t watcher;
    if (pthread_create(&watcher, nullptr, WatchQuitSignals, nullptr) == 0) {
        pthread_detach(watcher);
    } else {
        pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);  // the default action, then
    }
}

bool TakeQuitSignal() {
    return gQuitSignalled.exchange(false);
}
