#include "closable_box.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace {

// The box's process may not be there yet when the signal comes, and SDL may try another box
// once the first one failed; longer than that, the box is not a process we can end.
const int kCloseAttempts = 100;
const useconds_t kCloseRetryMicroseconds = 10000;

std::atomic<bool> gShowing;
std::atomic<bool> gCloseAsked;
std::atomic<pid_t> gShowingThread;

// The box's process was forked by the thread that shows it. It took that thread's blocked
// quit signals along, so only SIGKILL ends it; the X server then takes its window away.
void EndChildrenOf(pid_t thread) {
    char path[64];
    snprintf(path, sizeof path, "/proc/self/task/%d/children", static_cast<int>(thread));
    FILE* list = fopen(path, "r");
    if (list == nullptr) {
        return;
    }
    int child = 0;
    while (fscanf(list, "%d", &child) == 1) {
        kill(child, SIGKILL);
    }
    fclose(list);
}

}  // namespace

int ShowClosableErrorBox(const char* caption, const char* text, SDL_Window* parent) {
    gShowingThread = gettid();
    gShowing = true;
    const int result =
        gCloseAsked ? -1 : SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, parent);
    gShowing = false;
    return result;
}

void CloseShownBox() {
    gCloseAsked = true;
    for (int attempt = 0; attempt < kCloseAttempts && gShowing; ++attempt) {
        EndChildrenOf(gShowingThread);
        usleep(kCloseRetryMicroseconds);
    }
}
