// The streaming texture a renderer draws the picture from.
//
// The texture keeps the colours of the picture uploaded last, so each frame converts and
// uploads only the rows that changed (changed_rows.h): in a game most of the picture stands
// still, and both the palette lookup and the upload cost the frame time before its present.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "../src/backend.h"

// Makes (or keeps) a width x height texture on `renderer`; false when none can be made.
bool EnsurePictureTexture(SDL_Renderer* renderer, int width, int height);

// Brings the texture up to the picture at `pixels` (rows `pitch` bytes apart) in `palette`;
// false when it could not, and the texture must then not be shown.
bool UpdatePictureTexture(SDL_Renderer* renderer, const uint8_t* pixels, int width, int height,
                          int pitch, const BackendColor palette[256]);

SDL_Texture* PictureTexture();

// Frees the texture: before its renderer goes, or when the renderer reset its textures. The
// next update makes it again and fills it whole.
void ReleasePictureTexture();
