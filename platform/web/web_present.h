// The picture on the page's canvas.
//
// With WebGL2 the 8-bit picture and the palette go to the GPU as they are and a shader looks
// each pixel's colour up; without it, the lookup runs here and the colours go to a 2D canvas.
// The page scales the canvas (shell.html); either way the canvas holds the picture 1:1.
#pragma once

#include <cstdint>

#include "../src/backend.h"

// Chooses the presenter for width x height pictures: the cheaper of WebGL2 and the 2D canvas,
// measured, unless the page asks for one. False when the canvas can show neither.
bool WebPresentStart(int width, int height);
void WebPresentResize(int width, int height);
void WebPresent(const uint8_t* pixels, int width, int height, int pitch,
                const BackendColor palette[256]);
