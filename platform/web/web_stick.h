// Which arrows the touch stick holds for a finger's place on it (web_touch.cpp).
//
// Eight directions of 45 degrees each around the stick's centre, as on a pad's D-pad, and none
// while the finger stays near the centre, so a thumb at rest steers nowhere.
#pragma once

struct StickArrows {
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
};

// `x` and `y` are the finger's offset from the stick's centre in stick radii, y downwards;
// beyond the rim counts as on it.
StickArrows StickArrowsAt(double x, double y);
