#include <SDL.h>

#include "../src/backend.h"

uint32_t BackendMilliseconds() {
    return SDL_GetTicks();
}

void BackendSleep(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

void BackendDebugOutput(const char*) {}

void BackendPresent(const uint8_t*, int, int, int, const BackendColor*) {}
