// Presentation without a renderer, straight into the window's own surface, for machines where
// SDL would render on the CPU anyway.
//
// SDL's software renderer clears and sends the whole window to the display every frame: on a
// 3840x2160 screen that is 33 MB a frame, more than the frame's time. Here the bars are drawn
// once, each frame sends only the picture's rectangle, and the whole factor is capped by what
// this machine scales within a frame (cpu_scaling.h). The scaling modes are the same as with a
// renderer (scaling_geometry.h).
#pragma once

#include <SDL.h>

#include <cstdint>

#include "../src/backend.h"
#include "scaling_geometry.h"

// True when the window's surface has a 32-bit format this presenter writes; the backend then
// uses no renderer for the window.
bool CanPresentOnSurface(SDL_Window* window);

// Draws the picture into the window's surface (and the bars, when the whole window must be
// drawn again); false when it cannot. SendSurface then shows it: drawing goes before the wait
// for the frame's deadline, sending at it.
bool DrawOnSurface(SDL_Window* window, const uint8_t* pixels, int width, int height, int pitch,
                   const BackendColor palette[256], ScaleMode mode);
void SendSurface(SDL_Window* window);

// The whole window must be drawn again (it was uncovered, or resized).
void RepaintWholeSurface();

// Frees the buffers; the window's surface goes with the window.
void ReleaseSurfacePresentation();
