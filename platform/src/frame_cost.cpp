#include "frame_cost.h"

#include <algorithm>

namespace {

constexpr uint64_t kFramePeriodMicroseconds = 1000000 / 60;
// Waking late, the first cold frame after a pause, and the clock's own granularity.
constexpr uint64_t kSlackMicroseconds = 400;
// Before enough frames are known: more than a frame of this program takes on a slow machine.
constexpr uint64_t kFirstFramesMargin = 4000;
constexpr size_t kFramesBeforeTrusted = 8;
// The 97th percentile: the fourth slowest of the last 128 frames. A late picture puts two
// intervals off the 60 Hz beat, so lateness must stay rare, and even on a busy machine, where
// other programs hold up many frames, that is worth keys a little older than a lower
// percentile would give.
constexpr size_t kPercentile = 97;

}  // namespace

void FrameCostHistory::Record(uint64_t microseconds) {
    costs_[next_] = static_cast<uint32_t>(std::min(microseconds, kFramePeriodMicroseconds));
    next_ = (next_ + 1) % kFrames;
    count_ = std::min(count_ + 1, kFrames);
}

uint64_t FrameCostHistory::WakeMargin() const {
    if (count_ < kFramesBeforeTrusted) {
        return kFirstFramesMargin;
    }
    std::array<uint32_t, kFrames> sorted = costs_;
    const auto end = sorted.begin() + static_cast<std::ptrdiff_t>(count_);
    const auto high = sorted.begin() + static_cast<std::ptrdiff_t>(count_ * kPercentile / 100);
    std::nth_element(sorted.begin(), high, end);
    return std::min(*high + kSlackMicroseconds, kFramePeriodMicroseconds);
}

void FrameCostHistory::Clear() {
    count_ = 0;
    next_ = 0;
}
