// The microsecond clock and the deadline sleep behind Flip's 60 Hz schedule, on Windows.
//
// Sleep and ordinary timers wake on the system's timer tick, up to 15.6 ms late; a
// high-resolution waitable timer (Windows 10 1803 and later) wakes within a millisecond. Where
// there is none, the tick is asked to be one millisecond for the life of the program.
#include <windows.h>

#include "../src/backend.h"

namespace {

constexpr uint64_t kMicrosecondsPerSecond = 1000000;
constexpr LONGLONG kTimerUnitsPerMicrosecond = 10;  // waitable timers count 100 ns

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr DWORD CREATE_WAITABLE_TIMER_HIGH_RESOLUTION = 0x00000002;
#endif

uint64_t CounterFrequency() {
    static const uint64_t frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<uint64_t>(value.QuadPart);
    }();
    return frequency;
}

HANDLE Timer() {
    static const HANDLE timer = [] {
        HANDLE made = CreateWaitableTimerExW(
            nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
        if (made == nullptr) {
            timeBeginPeriod(1);
            made = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        }
        return made;
    }();
    return timer;
}

}  // namespace

uint64_t BackendMicroseconds() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const uint64_t ticks = static_cast<uint64_t>(now.QuadPart);
    const uint64_t frequency = CounterFrequency();
    return ticks / frequency * kMicrosecondsPerSecond +
           ticks % frequency * kMicrosecondsPerSecond / frequency;
}

void BackendSleepUntil(uint64_t deadline) {
    const uint64_t now = BackendMicroseconds();
    if (deadline <= now) {
        return;
    }
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(deadline - now) * kTimerUnitsPerMicrosecond;  // relative
    HANDLE timer = Timer();
    if (timer != nullptr && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
        WaitForSingleObject(timer, INFINITE);
    } else {
        Sleep(static_cast<DWORD>((deadline - now) / 1000));
    }
}
