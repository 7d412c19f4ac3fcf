// F9 screenshots: the presented 640x480 picture, unscaled, as a PNG (screenshot_files.h says
// where). BackendPresent hands every presented picture to RememberPresentedPicture, which
// keeps a copy in buffers made once; the event pump calls SaveScreenshot when F9 goes down.
#pragma once

#include <cstdint>

#include "../src/backend.h"

void RememberPresentedPicture(const uint8_t* pixels, int width, int height, int pitch,
                              const BackendColor palette[256]);

// Writes the picture last presented and prints its path on standard error, or why it could not
// be written; the game goes on either way.
void SaveScreenshot();
