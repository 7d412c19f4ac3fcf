// The touch stick steers in eight directions of 45 degrees each, and not at all near its
// centre.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/web/web_stick.h"

namespace {

// The arrows at `degrees` anticlockwise from the right, `distance` radii out (y is downwards).
std::string ArrowsAt(double degrees, double distance) {
    const double radians = degrees * std::acos(-1.0) / 180.0;
    const StickArrows arrows =
        StickArrowsAt(distance * std::cos(radians), -distance * std::sin(radians));
    return std::string(arrows.left ? "L" : "") + (arrows.right ? "R" : "") +
           (arrows.up ? "U" : "") + (arrows.down ? "D" : "");
}

TEST(WebStick, EightDirectionsOfFortyFiveDegreesBeyondTheCentre) {
    const char* directions[] = {"R", "RU", "U", "LU", "L", "LD", "D", "RD"};
    for (int sector = 0; sector < 8; ++sector) {
        for (double degrees : {sector * 45.0 - 22.0, sector * 45.0, sector * 45.0 + 22.0}) {
            EXPECT_EQ(ArrowsAt(degrees, 0.0), "");
            EXPECT_EQ(ArrowsAt(degrees, 0.2), "") << degrees << " degrees, near the centre";
            EXPECT_EQ(ArrowsAt(degrees, 0.3), directions[sector]) << degrees << " degrees";
            EXPECT_EQ(ArrowsAt(degrees, 3.0), directions[sector])
                << degrees << " degrees, beyond the rim";
        }
    }
}

}  // namespace
