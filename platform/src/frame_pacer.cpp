#include "frame_pacer.h"

#include "backend.h"

namespace {

// The 640x480 mode refreshes at 60 Hz.
constexpr uint64_t kPicturesPerSecond = 60;
constexpr uint64_t kMicrosecondsPerSecond = 1000000;
constexpr int64_t kFramePeriodMicroseconds = kMicrosecondsPerSecond / kPicturesPerSecond + 1;

}  // namespace

void FramePacer::WaitForNextPicture() {
    const uint64_t due = NextPictureDue();
    const uint64_t shown = due > kShowEarlyMicroseconds ? due - kShowEarlyMicroseconds : 0;
    if (shown > BackendMicroseconds()) {
        BackendSleepUntil(shown);
    }
}

uint64_t FramePacer::NextPictureDue() {
    const uint64_t now = BackendMicroseconds();
    if (!started_) {
        Restart(now);
    }
    uint64_t due = Due(picture_);
    const int64_t wait = static_cast<int64_t>(due - now);
    if (wait > kFramePeriodMicroseconds || wait < -kFramePeriodMicroseconds) {
        Restart(now);  // far behind, or the clock went back: due now
        due = now;
    }
    ++picture_;
    return due;
}

uint64_t FramePacer::UpcomingDue() const {
    return Due(picture_);
}

void FramePacer::Restart(uint64_t now) {
    started_ = true;
    startMicroseconds_ = now;
    picture_ = 0;
}

uint64_t FramePacer::Due(uint64_t picture) const {
    return startMicroseconds_ + picture * kMicrosecondsPerSecond / kPicturesPerSecond;
}
