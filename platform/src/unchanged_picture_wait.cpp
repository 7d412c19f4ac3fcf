#include "unchanged_picture_wait.h"

#include "backend.h"

namespace {

bool gPending;
uint64_t gDeadline;

}  // namespace

void PlatformDeferUnchangedPicture(uint64_t deadline) {
    gPending = true;
    gDeadline = deadline;
}

bool PlatformUnchangedPicturePending() {
    return gPending;
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
