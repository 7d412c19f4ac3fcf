#include "surface_presentation.h"

#include "cpu_scaling.h"
#include "palette_convert.h"

namespace {

SDL_Surface* gPicture;  // the picture in the window surface's format
SDL_Surface* gSharp;    // the picture at the whole factor, before a smooth step
SDL_Surface* gLastWindowSurface;
int gLastWidth;
int gLastHeight;
bool gRepaintAll = true;
bool gSendWhole;  // the drawing covered the whole window, bars included
SDL_Rect gDrawn;  // where the picture was drawn, when only that is sent

bool IsXrgb(Uint32 format) {
    return format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
}

// `surface` kept if it already has this size and format, else made again.
SDL_Surface* SurfaceOfSize(SDL_Surface*& surface, int width, int height, Uint32 format) {
    if (surface == nullptr || surface->w != width || surface->h != height ||
        surface->format->format != format) {
        SDL_FreeSurface(surface);
        surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format);
    }
    return surface;
}

// The first frame on a new or changed window surface paints the bars too.
bool NeedsWholeRepaint(SDL_Surface* target) {
    bool changed =
        target != gLastWindowSurface || target->w != gLastWidth || target->h != gLastHeight;
    gLastWindowSurface = target;
    gLastWidth = target->w;
    gLastHeight = target->h;
    return changed || gRepaintAll;
}

void DrawPlan(SDL_Surface* target, const ScalePlan& plan) {
    SDL_Rect rect = {plan.target.x, plan.target.y, plan.target.width, plan.target.height};
    if (!plan.smooth) {
        SDL_SoftStretch(gPicture, nullptr, target, &rect);
        return;
    }
    SDL_Surface* source = gPicture;
    if (plan.nearestFactor > 1 &&
        SurfaceOfSize(gSharp, gPicture->w * plan.nearestFactor, gPicture->h * plan.nearestFactor,
                      gPicture->format->format) != nullptr) {
        SDL_SoftStretch(gPicture, nullptr, gSharp, nullptr);
        source = gSharp;
    }
    SDL_SoftStretchLinear(source, nullptr, target, &rect);
}

}  // namespace

bool CanPresentOnSurface(SDL_Window* window) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    return surface != nullptr && IsXrgb(surface->format->format);
}

bool DrawOnSurface(SDL_Window* window, const uint8_t* pixels, int width, int height, int pitch,
                   const BackendColor palette[256], ScaleMode mode) {
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (target == nullptr || !IsXrgb(target->format->format) ||
        SurfaceOfSize(gPicture, width, height, target->format->format) == nullptr) {
        return false;
    }
    ConvertPalettedPicture(pixels, width, height, pitch, palette, gPicture->pixels,
                           gPicture->pitch);
    ScalePlan plan = PlanScaling(mode, target->w, target->h, width, height, CpuMaxFactor());
    gSendWhole = NeedsWholeRepaint(target);
    if (gSendWhole) {
        SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
        gRepaintAll = false;
    }
    DrawPlan(target, plan);
    gDrawn = {plan.target.x, plan.target.y, plan.target.width, plan.target.height};
    return true;
}

void SendSurface(SDL_Window* window) {
    if (gSendWhole) {
        SDL_UpdateWindowSurface(window);
    } else {
        SDL_UpdateWindowSurfaceRects(window, &gDrawn, 1);
    }
}

void RepaintWholeSurface() {
    gRepaintAll = true;
}

void ReleaseSurfacePresentation() {
    SDL_FreeSurface(gPicture);
    SDL_FreeSurface(gSharp);
    gPicture = nullptr;
    gSharp = nullptr;
    gLastWindowSurface = nullptr;
    gRepaintAll = true;
}
