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
    SDL_RendererInfo info;
    const bool gpu = renderer != nullptr && SDL_GetRendererInfo(renderer, &info) == 0 &&
                     (info.flags & SDL_RENDERER_SOFTWARE) == 0;
    if (!gpu) {
        if (mode == VsyncMode::kOn) {
            fprintf(stderr,
                    "zephyx: --vsync=on has no effect when the picture is drawn on the "
                    "CPU (--renderer=software or surface)\n");
        }
        return;
    }
    // SDL leaves the variable empty, not unset, once its software renderer has looked at it.
    const char* asked = SDL_GetHint(SDL_HINT_RENDER_VSYNC);
    if (mode == VsyncMode::kAuto && asked != nullptr && *asked != '\0') {
        return;  // SDL_RENDER_VSYNC has had its say
    }
    SDL_DisplayMode current;
    int refresh = SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(window), &current) == 0
                      ? current.refresh_rate
                      : 0;
    SDL_RenderSetVSync(renderer, ShouldUseVsync(mode, refresh) ? 1 : 0);
}
