// Which way the picture reaches the screen: the --renderer option, and what its auto choice
// makes of the machine. Pure; renderer_choice.h does it with SDL.
#pragma once

#include "vsync_decision.h"

enum class RendererChoice {
    kAuto,      // the GPU's renderer, or the window's surface where OpenGL runs on the CPU
    kGpu,       // SDL's accelerated renderer (OpenGL, OpenGL ES...), whatever it runs on
    kSoftware,  // SDL's software renderer
    kSurface,   // no renderer: the picture goes straight into the window's surface
};

// True when auto trades the GPU renderer it got for drawing on the CPU: its OpenGL is itself
// rasterised on the CPU, so the CPU's own drawing shows the same picture for less; unless
// SDL_RENDER_DRIVER named the renderer, or vertical sync was asked for, which only a GPU
// renderer can wait for.
bool TradeForCpuDrawing(bool openGlOnCpu, bool rendererNamed, VsyncMode vsync);
