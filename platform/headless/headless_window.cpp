#include <string>
#include <vector>

#include "../src/backend.h"
#include "../src/window_events.h"
#include "headless.h"
#include "headless_internal.h"

namespace {
HeadlessPumpHook gPumpHook;
void* gPumpContext;
bool gWindowAvailable = true;
bool gWindowOpen;
bool gCursorShown = true;
bool gLastPumpWaitedForEvent;
// Nothing arrives by itself here: waiting for an event is one frame period of virtual time.
constexpr uint32_t kEventWaitMilliseconds = 10;
std::vector<std::string> gMessageBoxes;
}  // namespace

bool BackendOpenWindow(const char*, int, int) {
    gWindowOpen = gWindowAvailable;
    return gWindowOpen;
}

void BackendCloseWindow() {
    gWindowOpen = false;
}

// Waiting for an event is time passing on the virtual clock.
void BackendPumpEvents(uint32_t waitMilliseconds) {
    gLastPumpWaitedForEvent = waitMilliseconds == kBackendWaitForEvent;
    HeadlessAdvanceTime(gLastPumpWaitedForEvent ? kEventWaitMilliseconds : waitMilliseconds);
    if (gPumpHook != nullptr) {
        gPumpHook(gPumpContext);
    }
}

void BackendShowCursor(bool shown) {
    gCursorShown = shown;
}

void BackendMessageBox(const char* text, const char* caption) {
    gMessageBoxes.push_back(std::string(caption) + ": " + text);
}

void HeadlessResetWindow() {
    gPumpHook = nullptr;
    gPumpContext = nullptr;
    gWindowAvailable = true;
    gWindowOpen = false;
    gCursorShown = true;
    gLastPumpWaitedForEvent = false;
    gMessageBoxes.clear();
    PlatformResetWindowing();
}

void HeadlessSetPumpHook(HeadlessPumpHook hook, void* context) {
    gPumpHook = hook;
    gPumpContext = context;
}

void HeadlessRequestClose() {
    PlatformCloseRequested();
}

void HeadlessSetMinimised(bool minimised) {
    PlatformWindowMinimised(minimised);
}

void HeadlessSetFocused(bool focused) {
    if (focused) {
        PlatformFocusGained();
    } else {
        PlatformFocusLost();
    }
}

void HeadlessMoveMouse() {
    PlatformMouseMoved();
}

void HeadlessSetWindowAvailable(bool available) {
    gWindowAvailable = available;
}

bool HeadlessWindowOpen() {
    return gWindowOpen;
}

bool HeadlessLastPumpWaitedForEvent() {
    return gLastPumpWaitedForEvent;
}

bool HeadlessCursorShown() {
    return gCursorShown;
}

const std::vector<std::string>& HeadlessMessageBoxes() {
    return gMessageBoxes;
}
