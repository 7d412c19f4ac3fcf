// On Windows the quit signals are the console's control events: Ctrl+C, Ctrl+Break and the
// console window closed, when the program was started from a console. Windows calls the
// handler on a thread of its own, which stands in for the POSIX watcher.
#include <windows.h>

#include <SDL.h>

#include <atomic>

#include "closable_box.h"
#include "quit_signals.h"

namespace {

// Ctrl+C pressed three times: the close did not come, and the player insists.
const int kEventsThatEndAtOnce = 3;
// Windows ends the program once the handler of a console close returns.
const DWORD kCloseGrace = 5000;

std::atomic<bool> gQuitSignalled;
std::atomic<bool> gWatching;
std::atomic<int> gCount;

void WakeEventPump() {
    SDL_Event wake{};
    wake.type = SDL_USEREVENT;
    SDL_PushEvent(&wake);
}

BOOL WINAPI TakeConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    if (!gWatching || ++gCount >= kEventsThatEndAtOnce) {
        return FALSE;  // the default: the program ends
    }
    gQuitSignalled = true;
    WakeEventPump();
    CloseShownBox();
    if (event == CTRL_CLOSE_EVENT) {
        Sleep(kCloseGrace);  // time for the game to close its window and release everything
    }
    return TRUE;
}

}  // namespace

void BlockQuitSignals() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SetConsoleCtrlHandler(TakeConsoleEvent, TRUE);
}

void StartQuitSignalWatch() {
    gWatching = true;
}

void StopQuitSignalWatch() {
    gWatching = false;
}

bool TakeQuitSignal() {
    return gQuitSignalled.exchange(false);
}
