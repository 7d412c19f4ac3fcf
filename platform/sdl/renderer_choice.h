// The window's presentation as the --renderer option asks, made once by BackendOpenWindow: a
// renderer, or none when the picture goes straight into the window's surface
// (surface_presentation.h).
#pragma once

#include <SDL.h>

#include "renderer_decision.h"

struct Presentation {
    SDL_Renderer* renderer;  // null on the surface
    bool onSurface;
};

// False, with SDL's error set, when the way asked for cannot draw in this window. A named way
// is that way or nothing; auto always ends with a renderer that works where there is one.
bool ChoosePresentation(SDL_Window* window, RendererChoice choice, VsyncMode vsync,
                        Presentation* presentation);

// Says in one line on standard error, and in a message box, that nothing can draw in the
// window and why (SDL's error).
void ReportNoPresentation(RendererChoice choice);

// One line of debugger output (ZEPHYX_DEBUG): the way chosen, the OpenGL behind a renderer
// that has one, and whether presentation waits for the vertical blank.
void DescribePresentation(const Presentation& presentation);
