#include "quit_signals.h"

#include <SDL.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>

#include "closable_box.h"

namespace {

// Ctrl+C pressed three times: the close did not come, and the player insists.
const int kSignalsThatEndAtOnce = 3;

std::atomic<bool> gQuitSignalled;
pthread_t gWatcher;
bool gWatching;

sigset_t QuitSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    return signals;
}

// The watcher can be stopped only while it waits, never halfway through a request.
int NextQuitSignal(const sigset_t& signals) {
    int received = 0;
    pthread_setcancelstate(PTHREAD_CANCEL_ENABLE, nullptr);
    while (sigwait(&signals, &received) != 0) {
    }
    pthread_setcancelstate(PTHREAD_CANCEL_DISABLE, nullptr);
    return received;
}

// The signal meets its default action in this thread, as if the program had never asked
// for it.
void EndWithDefaultAction(int received) {
    signal(received, SIG_DFL);
    raise(received);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, received);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
}

void WakeEventPump() {
    SDL_Event wake{};
    wake.type = SDL_USEREVENT;
    SDL_PushEvent(&wake);
}

void* WatchQuitSignals(void*) {
    pthread_setcancelstate(PTHREAD_CANCEL_DISABLE, nullptr);
    const sigset_t signals = QuitSignals();
    for (int count = 1;; ++count) {
        const int received = NextQuitSignal(signals);
        if (count >= kSignalsThatEndAtOnce) {
            EndWithDefaultAction(received);
        }
        gQuitSignalled = true;
        WakeEventPump();
        CloseShownBox();
    }
}

}  // namespace

void BlockQuitSignals() {
    // SDL would otherwise install its own handlers for two of them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    const sigset_t signals = QuitSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

void StartQuitSignalWatch() {
    if (gWatching) {
        return;
    }
    gWatching = pthread_create(&gWatcher, nullptr, WatchQuitSignals, nullptr) == 0;
    if (!gWatching) {
        const sigset_t signals = QuitSignals();
        pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);  // the default action, then
    }
}

void StopQuitSignalWatch() {
    if (!gWatching) {
        return;
    }
    pthread_cancel(gWatcher);
    pthread_join(gWatcher, nullptr);
    gWatching = false;
}

bool TakeQuitSignal() {
    return gQuitSignalled.exchange(false);
}
