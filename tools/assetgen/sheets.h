// The four sheets the game embeds. Each builder draws its sheet in display palette indices;
// main converts the sprite sheet into its own table before writing it.
#pragma once

#include <string>

#include "indexed_image.h"

IndexedImage MakeBackImage();     // 640 x 640 star field between two blue-grey panels
IndexedImage MakeCharSheet();     // 288 x 384 sprites, display indices, kClear where empty
IndexedImage MakeStringsSheet();  // 600 x 96 bitmap font

// 640 x 480 logo, prompt and captions. Needs the fonts below; returns false with a message
// naming the missing font.
bool MakeTitleSheet(IndexedImage& out);

// Fonts the title is rasterised from, by fixed path so every machine draws the same pixels.
constexpr const char* kLogoFontPath = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf";
constexpr const char* kCaptionFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// The generator's exit code when a font is missing, so callers can tell it from a failure.
constexpr int kExitFontMissing = 3;
