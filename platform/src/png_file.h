// PNG files of RGB pictures, encoded by libpng.
//
// The one writer behind the headless backend's capture (HeadlessWritePresentedPng) and the
// SDL backend's F9 screenshots.
#pragma once

#include <cstdint>
#include <string>

// Writes width x height pixels of `rgb` (red, green, blue bytes, rows packed, top row first)
// to `path` as an 8-bit RGB PNG. On failure returns false and puts the reason in `error`.
bool WriteRgbPng(const char* path, const uint8_t* rgb, int width, int height, std::string& error);
