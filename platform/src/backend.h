// What a backend supplies to the platform core.
//
// Exactly one backend is linked into each program: sdl/ for the `zephyx` program, headless/
// for tests, benchmarks and replays. The core calls these and nothing else of the outside
// world, so everything a test needs to control passes through here.
#pragma once

#include <cstdint>

// Milliseconds from any fixed start, wrapping modulo 2^32. Backs timeGetTime and GetTickCount.
uint32_t BackendMilliseconds();

// Gives up the processor for about `milliseconds` (the headless clock just moves on).
void BackendSleep(uint32_t milliseconds);

// Called with every text given to OutputDebugStringA, after it went to standard error.
void BackendDebugOutput(const char* text);
