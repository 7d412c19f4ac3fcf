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

// One display palette entry, laid out as PALETTEENTRY: red, green, blue, flags.
struct BackendColor {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};

// Shows a width x height picture of palette indices (rows `pitch` bytes apart) through
// `palette`. Called by the primary surface's Flip once the picture is final.
void BackendPresent(const uint8_t* pixels, int width, int height, int pitch,
                    const BackendColor palette[256]);
