#include "window_setup.h"

#include <cstdio>

int ChosenDisplay(int requested) {
    int displays = SDL_GetNumVideoDisplays();
    if (requested < displays) {
        return requested;
    }
    fprintf(stderr, "zephyx: there is no display %d (displays: %d); using display 0\n", requested,
            displays);
    return 0;
}

ScaleSize WindowedSizeOn(int display, int pictureWidth, int pictureHeight) {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0) {
        return {pictureWidth, pictureHeight};
    }
    return WindowedSize(usable.w, usable.h, pictureWidth, pictureHeight);
}

void ChooseVsync(SDL_Window* window, SDL_Renderer* renderer, VsyncMode mode) {
    SDL_DisplayMode current;
    int refresh = SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(window), &current) == 0
                      ? current.refresh_rate
                      : 0;
    SDL_RenderSetVSync(renderer, ShouldUseVsync(mode, refresh) ? 1 : 0);
}
