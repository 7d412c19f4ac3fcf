// Control of the headless backend, for tests, benchmarks and replays.
//
// The headless backend stands in for the outside world: a virtual millisecond clock that only
// moves when a test (or Sleep) moves it, a keyboard that tests press and release, and a record
// of everything written to the debugger output. HeadlessReset puts all of it back to the state
// of a freshly started program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

void HeadlessReset();

// The virtual clock: any 32-bit value, so tests can start just below the 2^32 wrap.
void HeadlessSetTime(uint32_t milliseconds);
void HeadlessAdvanceTime(uint32_t milliseconds);
uint32_t HeadlessTime();

// Key presses by Windows virtual-key code, seen by GetAsyncKeyState at once and posted to the
// window (if one exists) as WM_KEYDOWN / WM_KEYUP.
void HeadlessKeyDown(int virtualKey);
void HeadlessKeyUp(int virtualKey);

// Everything OutputDebugStringA was given since the last reset or clear, concatenated.
const std::string& HeadlessDebugOutput();
void HeadlessClearDebugOutput();

// The window system. The pump hook runs every time the platform pumps events (each
// PeekMessageA and GetMessageA), which is where a replay drives a running WinMain: press keys,
// move the clock, minimise, close, inject faults, look at what was presented.
typedef void (*HeadlessPumpHook)(void* context);
void HeadlessSetPumpHook(HeadlessPumpHook hook, void* context);

void HeadlessRequestClose();  // the window's close button
void HeadlessSetMinimised(bool minimised);
void HeadlessMoveMouse();
void HeadlessSetWindowAvailable(bool available);  // false: no window can be opened

bool HeadlessWindowOpen();
bool HeadlessCursorShown();
// Every message box shown since the reset, as "caption: text", in order.
const std::vector<std::string>& HeadlessMessageBoxes();
