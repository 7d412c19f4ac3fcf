// Sends a frame's drawing to the GPU as soon as it is drawn, before the wait for its present.
//
// SDL_RenderFlush hands SDL's queued drawing to the graphics API, but an OpenGL driver may still
// hold it until the buffers are swapped; a software one (Mesa's llvmpipe) then rasterises the
// whole picture inside the present, after the frame's deadline. A glFlush starts that work at
// once, so it runs while the frame waits for its turn.
#pragma once

#include <SDL.h>

void SubmitDrawing(SDL_Renderer* renderer);
