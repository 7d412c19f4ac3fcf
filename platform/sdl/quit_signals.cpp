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

// From now on the signals meet their default action: this thread takes them unblocked and the
// program ends as if it had never asked for them.
void RestoreDefaultActions(const sigset_t& signals) {
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
}

// A request nobody takes within a second means the game pumps no events (a message box waits
// for its button, or it hangs), so the signal then ends it the default way.
bool RequestTakenInTime() {
    for (int waited = 0; waited < 100 && gQuitSignalled; ++waited) {
        usleep(10000);
    }
    return !gQuitSignalled;
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
    const bool taken = RequestTakenInTime();
    RestoreDefaultActions(signals);
    if (!taken) {
        raise(received);
    }
    for (;;) {
        pause();
    }
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
