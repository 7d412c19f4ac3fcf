#include "unchanged_picture_wait.h"

#include "backend.h"

namespace {

bool gPending;
uint64_t gDeadline;

constexpr uint64_t kMicrosecondsPerMillisecond = 1000;

}  // namespace

void PlatformDeferUnchangedPicture(uint64_t deadline) {
    gPending = true;
    gDeadline = deadline;
}

void PlatformFinishUnchangedPicture() {
    if (!gPending) {
        return;
    }
    gPending = false;
    if (gDeadline > BackendMicroseconds()) {
        BackendSleepUntil(gDeadline);
    }
    BackendPresentUnchanged();
}

void PlatformForgetUnchangedPicture() {
    gPending = false;
}

void PlatformSleep(uint32_t milliseconds) {
    if (!gPending) {
        BackendSleep(milliseconds);
        return;
    }
    const uint64_t end = BackendMicroseconds() + milliseconds * kMicrosecondsPerMillisecond;
    PlatformFinishUnchangedPicture();
    if (end > BackendMicroseconds()) {
        BackendSleepUntil(end);  // the frame ran late: the rest of the sleep asked for
    }
}
