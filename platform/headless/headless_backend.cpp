#include <string>

#include "../src/backend.h"
#include "../src/keyboard.h"
#include "headless.h"

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
    PlatformSetKey(virtualKey, true);
}

void HeadlessKeyUp(int virtualKey) {
    PlatformSetKey(virtualKey, false);
}

const std::string& HeadlessDebugOutput() {
    return gDebugOutput;
}

void HeadlessClearDebugOutput() {
    gDebugOutput.clear();
}
