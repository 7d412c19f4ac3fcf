// The microsecond clock and the absolute-deadline sleep behind Flip's 60 Hz schedule.
//
// Sleeping to an absolute deadline on the monotonic clock wakes as close to it as the kernel
// manages, whatever happened since the deadline was worked out; a relative sleep of whole
// milliseconds would add the truncation and the time before the call to every wait.
#include <cerrno>
#include <ctime>

#include "../src/backend.h"

namespace {

constexpr uint64_t kNanosecondsPerMicrosecond = 1000;
constexpr uint64_t kMicrosecondsPerSecond = 1000000;

}  // namespace

uint64_t BackendMicroseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * kMicrosecondsPerSecond +
           static_cast<uint64_t>(now.tv_nsec) / kNanosecondsPerMicrosecond;
}

void BackendSleepUntil(uint64_t deadline) {
    timespec until;
    until.tv_sec = static_cast<time_t>(deadline / kMicrosecondsPerSecond);
    until.tv_nsec =
        static_cast<long>(deadline % kMicrosecondsPerSecond * kNanosecondsPerMicrosecond);
    // A signal handled meanwhile interrupts the sleep; the deadline stays the same.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

// The window shows a picture when it is presented: the frame starts at its planned wake.
uint64_t BackendSleepUntilFrame(uint64_t wake, uint64_t) {
    BackendSleepUntil(wake);
    return wake;
}
