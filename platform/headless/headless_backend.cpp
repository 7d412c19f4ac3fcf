#include <string>

#include "../src/backend.h"
#include "../src/keyboard.h"
#include "../src/window_events.h"
#include "headless.h"
#include "headless_internal.h"

namespace {
uint32_t gVirtualTime;
std::string gDebugOutput;
}  // namespace

uint32_t BackendMilliseconds() {
    return gVirtualTime;
}

void BackendSleep(uint32_t milliseconds) {
    gVirtualTime += milliseconds;
}

void BackendDebugOutput(const char* text) {
    gDebugOutput += text;
}

void HeadlessReset() {
    gVirtualTime = 0;
    gDebugOutput.clear();
    PlatformReleaseAllKeys();
    HeadlessResetDisplay();
    HeadlessResetWindow();
}

void HeadlessSetTime(uint32_t milliseconds) {
    gVirtualTime = milliseconds;
}

void HeadlessAdvanceTime(uint32_t milliseconds) {
    gVirtualTime += milliseconds;
}

uint32_t HeadlessTime() {
    return gVirtualTime;
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
