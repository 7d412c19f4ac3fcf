// The SDL side of the display options: which display the window opens on, its size there, and
// whether presentation waits for the vertical blank. BackendOpenWindow calls each once.
#pragma once

#include <SDL.h>

#include "scaling_geometry.h"
#include "vsync_decision.h"

// `requested` where that display exists; otherwise display 0, with a warning.
int ChosenDisplay(int requested);

// The window's size on `display` (WindowedSize of its usable area), or the picture's own size
// where the display cannot be asked.
ScaleSize WindowedSizeOn(int display, int pictureWidth, int pictureHeight);

// Turns a GPU renderer's vertical sync on or off as ShouldUseVsync decides for the display the
// window is on; in auto mode SDL_RENDER_VSYNC, when set, decides instead. Drawing on the CPU
// (no renderer, or SDL's software one) cannot wait for the vertical blank: asked to, it says so.
void ChooseVsync(SDL_Window* window, SDL_Renderer* renderer, VsyncMode mode);
