// The picture texture drawn onto the window as the scaling mode asks (scaling_geometry.h),
// in the renderer's output pixels, so a high-DPI window is scaled in its real pixels.
//
// BackendPresent calls DrawScaledPicture once per frame between clearing and presenting; the
// intermediate texture of the sharp-then-smooth modes is made only when the output size
// changes. ReleaseScaledPresentation frees it before its renderer goes.
#pragma once

#include <SDL.h>

#include "scaling_geometry.h"

void DrawScaledPicture(SDL_Renderer* renderer, SDL_Texture* picture, ScaleMode mode);

// True for SDL's software renderer, which scales on the CPU (cpu_scaling.h caps it).
bool IsCpuRenderer(SDL_Renderer* renderer);
void ReleaseScaledPresentation();
