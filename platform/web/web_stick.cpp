#include "web_stick.h"

#include <cmath>

namespace {
// Within this share of the radius the stick is at rest.
constexpr double kDeadZone = 0.25;
// An axis counts when the direction is within 67.5 degrees of it: sin(22.5 degrees), so each
// of the eight directions spans 45 degrees.
constexpr double kAxisShare = 0.38268343236508978;
}  // namespace

StickArrows StickArrowsAt(double x, double y) {
    StickArrows arrows;
    const double distance = std::hypot(x, y);
    if (!(distance > kDeadZone)) {
        return arrows;
    }
    const double least = kAxisShare * distance;
    arrows.left = x < -least;
    arrows.right = x > least;
    arrows.up = y < -least;
    arrows.down = y > least;
    return arrows;
}
