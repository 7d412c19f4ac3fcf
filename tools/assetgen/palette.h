// The display palette shared by BACKIMG, STRINGS and TITLE, and the sprite sheet's own table.
// Every art file picks colours as (ramp, level) so a picture reads as shading, not as raw
// indices; the background converts free RGB through Nearest.
#pragma once

#include <cstdint>

#include "indexed_image.h"

// Entries the game itself depends on.
constexpr uint8_t kNearBlack = 0;
constexpr uint8_t kLogoGrey = 25;
constexpr uint8_t kTitleNavy = 128;
constexpr uint8_t kPanelBlueGrey = 140;
constexpr uint8_t kClear = 145;  // the transparent green
constexpr uint8_t kPromptYellow = 240;
constexpr Rgb kClearRgb{21, 141, 91};

// The sprite sheet keeps the transparent green one slot lower in its own table.
constexpr uint8_t kCharClear = 144;

enum class Ramp {
    Grey,      // near-black to white
    Navy,      // deep space blues
    Red,       // maroon to pale pink
    Violet,    // dark purple to lilac
    Blue,      // deep blue to ice
    Yellow,    // orange-brown through the prompt yellow to cream
    Brown,     // bark to sand
    Green,     // forest to mint
    Skin,      // shadowed to lit skin
    Cyan,      // sea to foam
    BlueGrey,  // slate to pale steel, holds the panel colour
    Sage,      // green-tinted greys, holds the logo grey
    Magenta,   // plum to pink
    Orange,    // ember to peach
    Wine,      // dim red-violet of nebula edges
    Dusk,      // dim blue-violet of nebula edges
    Olive,     // khaki
    Teal,      // blue-green
    Count
};

const ColourTable& DisplayColours();

// Number of levels of a ramp; Shade clamps the level into range.
int RampLevels(Ramp ramp);
uint8_t Shade(Ramp ramp, int level);

// The display entry nearest to a colour, never the transparent green nor `avoid`.
uint8_t Nearest(double r, double g, double b, uint8_t avoid);

// The sprite sheet's table: each display colour nudged by one unit per channel, with the
// transparent green held unchanged at kCharClear. CharIndex maps a display index drawn on the
// sheet to the sheet's own index of the nudged colour.
const ColourTable& CharColours();
uint8_t CharIndex(uint8_t displayIndex);
