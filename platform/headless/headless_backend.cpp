#include <string>

#include "../src/backend.h"
#include "../src/keyboard.h"
#include "../src/window_events.h"
#include "headless.h"
#include "headless_internal.h"

namespace {
// Microseconds, so Flip's schedule lands where it would on a real clock; the millisecond clock
// is its truncation, wrapping modulo 2^32 as timeGetTime does.
uint64_t gVirtualMicroseconds;
std::string gDebugOutput;
uint32_t gFrameSleeps;
uint64_t gLastFrameSleepDue;
uint32_t gKeyFrameSleeps;
uint64_t gLastKeyFrameSleepDue;
}  // namespace

uint32_t BackendMilliseconds() {
    return static_cast<uint32_t>(gVirtualMicroseconds / 1000);
}

void BackendSleep(uint32_t milliseconds) {
    HeadlessAdvanceTime(milliseconds);
}

uint64_t BackendMicroseconds() {
    return gVirtualMicroseconds;
}

void BackendSleepUntil(uint64_t deadline) {
    if (deadline > gVirtualMicroseconds) {
        gVirtualMicroseconds = deadline;
    }
}

uint64_t BackendSleepUntilFrame(uint64_t wake, uint64_t due) {
    ++gFrameSleeps;
    gLastFrameSleepDue = due;
    BackendSleepUntil(wake);
    return wake;
}

uint64_t BackendSleepUntilOrKeyFrame(uint64_t wake, uint64_t due) {
    ++gKeyFrameSleeps;
    gLastKeyFrameSleepDue = due;
    BackendSleepUntil(wake);
    return wake;
}

uint32_t HeadlessKeyFrameSleepCount() {
    return gKeyFrameSleeps;
}

uint64_t HeadlessLastKeyFrameSleepDue() {
    return gLastKeyFrameSleepDue;
}

uint32_t HeadlessFrameSleepCount() {
    return gFrameSleeps;
}

uint64_t HeadlessLastFrameSleepDue() {
    return gLastFrameSleepDue;
}

void BackendDebugOutput(const char* text) {
    gDebugOutput += text;
}

void HeadlessReset() {
    gVirtualMicroseconds = 0;
    gFrameSleeps = 0;
    gLastFrameSleepDue = 0;
    gKeyFrameSleeps = 0;
    gLastKeyFrameSleepDue = 0;
    gDebugOutput.clear();
    PlatformReleaseAllKeys();
    HeadlessResetDisplay();
    HeadlessResetWindow();
}

void HeadlessSetTime(uint32_t milliseconds) {
    gVirtualMicroseconds = uint64_t{milliseconds} * 1000;
}

void HeadlessAdvanceTime(uint32_t milliseconds) {
    gVirtualMicroseconds += uint64_t{milliseconds} * 1000;
}

uint32_t HeadlessTime() {
    return BackendMilliseconds();
}

uint64_t HeadlessMicroseconds() {
    return gVirtualMicroseconds;
}

void HeadlessKeyDown(int virtualKey) {
    PlatformKeyEvent(virtualKey, true);
}

void HeadlessKeyUp(int virtualKey) {
    PlatformKeyEvent(virtualKey, false);
}

const std::string& HeadlessDebugOutput() {
    return gDebugOutput;
}

void HeadlessClearDebugOutput() {
    gDebugOutput.clear();
}
