// Control of the headless backend, for tests, benchmarks and replays.
//
// The headless backend stands in for the outside world: a virtual millisecond clock that only
// moves when a test (or Sleep) moves it, a keyboard that tests press and release, and a record
// of everything written to the debugger output. HeadlessReset puts all of it back to the state
// of a freshly started program.
#pragma once

#include <cstdint>
#include <string>

void HeadlessReset();

// The virtual clock: any 32-bit value, so tests can start just below the 2^32 wrap.
void HeadlessSetTime(uint32_t milliseconds);
void HeadlessAdvanceTime(uint32_t milliseconds);
uint32_t HeadlessTime();

// Key presses by Windows virtual-key code, seen by GetAsyncKeyState at once.
void HeadlessKeyDown(int virtualKey);
void HeadlessKeyUp(int virtualKey);

// Everything OutputDebugStringA was given since the last reset or clear, concatenated.
const std::string& HeadlessDebugOutput();
void HeadlessClearDebugOutput();
