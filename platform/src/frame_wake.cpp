#include "frame_wake.h"

#include "backend.h"
#include "frame_cost.h"
#include "unchanged_picture_wait.h"

namespace {

FrameCostHistory gCosts;
bool gWakePlanned;
uint64_t gWake;
uint64_t gDue;
// Set by a sleep, used by the next ready picture: a frame without a sleep before it (the
// first, or one after the window was minimised) has no start to measure from.
bool gFrameStarted;
uint64_t gFrameStart;

constexpr uint64_t kMicrosecondsPerMillisecond = 1000;

}  // namespace

void PlatformPictureReady() {
    if (!gFrameStarted) {
        return;
    }
    gFrameStarted = false;
    const uint64_t now = BackendMicroseconds();
    gCosts.Record(now > gFrameStart ? now - gFrameStart : 0);
}

void PlatformPlanWake(uint64_t due) {
    const uint64_t margin = gCosts.WakeMargin();
    gWakePlanned = true;
    gWake = due > margin ? due - margin : 0;
    gDue = due;
}

void PlatformForgetWake() {
    gWakePlanned = false;
    gFrameStarted = false;
    gCosts.Clear();
}

void PlatformSleep(uint32_t milliseconds) {
    const uint64_t asked = BackendMicroseconds() + milliseconds * kMicrosecondsPerMillisecond;
    const uint64_t end = gWakePlanned && gWake > asked ? gWake : asked;
    uint64_t start = end;
    // After an unchanged picture the next is most likely unchanged too: nothing to show, so
    // no display frame to wait for, unless a key comes.
    const uint64_t due = gDue > asked ? gDue : asked;
    if (gWakePlanned && !PlatformUnchangedPicturePending()) {
        start = BackendSleepUntilFrame(end, due);
    } else if (gWakePlanned) {
        start = BackendSleepUntilOrKeyFrame(end, due);
    } else if (PlatformUnchangedPicturePending()) {
        BackendSleepUntil(end);
    } else {
        BackendSleep(milliseconds);
    }
    gWakePlanned = false;
    PlatformFinishUnchangedPicture();
    gFrameStarted = true;
    gFrameStart = start;
}
