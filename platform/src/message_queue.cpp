#include "message_queue.h"

namespace {
// Far more than a frame's worth of input; a full queue refuses posts as Windows does.
constexpr int kQueueCapacity = 256;

MSG gRing[kQueueCapacity];
int gHead;
int gCount;

bool gClosePending;
MSG gClose;
bool gQuitPending;
int gQuitCode;

MSG QuitMessage() {
    MSG quit{};
    quit.message = WM_QUIT;
    quit.wParam = static_cast<WPARAM>(gQuitCode);
    return quit;
}
}  // namespace

bool QueuePost(const MSG& message) {
    if (gCount == kQueueCapacity) {
        return false;
    }
    gRing[(gHead + gCount) % kQueueCapacity] = message;
    ++gCount;
    return true;
}

bool QueueHasRoom(int slots) {
    return kQueueCapacity - gCount >= slots;
}

void QueueRequestClose(HWND window, DWORD time) {
    gClosePending = true;
    gClose = MSG{};
    gClose.hwnd = window;
    gClose.message = WM_CLOSE;
    gClose.time = time;
}

void QueueRequestQuit(int exitCode) {
    gQuitPending = true;
    gQuitCode = exitCode;
}

bool QueueIsEmpty() {
    return !gClosePending && gCount == 0 && !gQuitPending;
}

bool QueueNext(MSG* message, bool remove) {
    if (gClosePending) {
        *message = gClose;
        gClosePending = gClosePending && !remove;
    } else if (gCount > 0) {
        *message = gRing[gHead];
        if (remove) {
            gHead = (gHead + 1) % kQueueCapacity;
            --gCount;
        }
    } else if (gQuitPending) {
        *message = QuitMessage();
        gQuitPending = !remove;
    } else {
        return false;
    }
    return true;
}

void QueueClear() {
    gHead = 0;
    gCount = 0;
    gClosePending = false;
    gQuitPending = false;
    gQuitCode = 0;
}
