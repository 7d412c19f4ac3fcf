#include "cpu_scaling.h"

#include <SDL.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

// Half a 60 Hz frame: the rest is the game's (a small part), the palette conversion's, sending
// the picture to the display's, and room for a busy moment.
constexpr double kBudgetNanoseconds = 1e9 / 60 / 2;
constexpr int kTrials = 3;

int gMaxFactor = kCpuMinFactor;

// The nanoseconds per output pixel of the sharp-then-smooth scale at twice the picture, the
// best of a few tries: sharp blocks into a surface of that size, then a smooth step into
// another just smaller, as fit and stretch do.
double MeasureNanosecondsPerPixel(int pictureWidth, int pictureHeight) {
    const int width = pictureWidth * kCpuMinFactor;
    const int height = pictureHeight * kCpuMinFactor;
    const Uint32 format = SDL_PIXELFORMAT_RGB888;
    SDL_Surface* picture =
        SDL_CreateRGBSurfaceWithFormat(0, pictureWidth, pictureHeight, 32, format);
    SDL_Surface* sharp = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format);
    SDL_Surface* smooth = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format);
    double best = 0;
    if (picture != nullptr && sharp != nullptr && smooth != nullptr) {
        SDL_Rect target = {0, 0, width - pictureWidth / 8, height - pictureHeight / 8};
        for (int trial = 0; trial < kTrials; ++trial) {
            const Uint64 start = SDL_GetPerformanceCounter();
            SDL_SoftStretch(picture, nullptr, sharp, nullptr);
            SDL_SoftStretchLinear(sharp, nullptr, smooth, &target);
            const double seconds =
                double(SDL_GetPerformanceCounter() - start) / double(SDL_GetPerformanceFrequency());
            const double perPixel = seconds * 1e9 / (double(width) * height);
            best = trial == 0 ? perPixel : std::min(best, perPixel);
        }
    }
    SDL_FreeSurface(picture);
    SDL_FreeSurface(sharp);
    SDL_FreeSurface(smooth);
    return best;
}

}  // namespace

void MeasureCpuScaling(int pictureWidth, int pictureHeight) {
    const double perPixel = MeasureNanosecondsPerPixel(pictureWidth, pictureHeight);
    gMaxFactor = FactorWithinBudget(perPixel, kBudgetNanoseconds, pictureWidth, pictureHeight);
    char text[120];
    snprintf(text, sizeof text, "zephyx: the CPU scales %.2f ns a pixel: up to %dx the picture\n",
             perPixel, gMaxFactor);
    OutputDebugStringA(text);
}

int CpuMaxFactor() {
    return gMaxFactor;
}
