// The touch stick steers in eight directions of 45 degrees each, and not at all near its
// centre.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/web/web_stick.h"

namespace {

std::string Arrows(double x, double y) {
    const StickArrows arrows = StickArrowsAt(x, y);
    return std::string(arrows.left ? "L" : "") + (arrows.right ? "R" : "") +
           (arrows.up ? "U" : "") + (arrows.down ? "D" : "");
}

// The arrows at `degrees` anticlockwise from the right, `distance` radii out (y is downwards).
std::string ArrowsAtAngle(double degrees, double distance = 1.0) {
    const double radians = degrees * std::acos(-1.0) / 180.0;
    return Arrows(distance * std::cos(radians), -distance * std::sin(radians));
}

TEST(WebStick, RestsNearItsCentre) {
    EXPECT_EQ(Arrows(0, 0), "");
    EXPECT_EQ(Arrows(0.2, 0.1), "");
    EXPECT_EQ(Arrows(-0.17, -0.17), "");
    EXPECT_EQ(Arrows(NAN, 0.5), "");
    EXPECT_EQ(Arrows(0.3, 0), "R") << "just beyond the dead zone";
}

TEST(WebStick, EachOfEightDirectionsSpansFortyFiveDegrees) {
    const char* directions[] = {"R", "RU", "U", "LU", "L", "LD", "D", "RD"};
    for (int sector = 0; sector < 8; ++sector) {
        for (double off : {-22.0, 0.0, 22.0}) {
            const double degrees = sector * 45.0 + off;
            EXPECT_EQ(ArrowsAtAngle(degrees), directions[sector]) << degrees << " degrees";
            EXPECT_EQ(ArrowsAtAngle(degrees, 3.0), directions[sector])
                << degrees << " degrees, beyond the rim";
        }
    }
}

}  // namespace
