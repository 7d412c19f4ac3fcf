// The browser's text sizing: for the face the set-up installs it must give the baseline and the
// cell height that the native (FreeType) rasteriser gives for the game's font descriptions,
// whatever the browser measures; other faces are sized by the browser's measurements as GDI
// would size them.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/src/font_rasterizer.h"
#include "platform/web/web_font_sizing.h"

namespace {

// "ＭＳ 明朝" in code page 932, as the game asks for it.
const char kGameFace[] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";
// What a browser measures for that face (its hhea table): a smaller descent than Windows's.
constexpr double kBrowserAscent = 1802.0 / 2048;
constexpr double kBrowserDescent = 246.0 / 2048;

LOGFONTA GameFont(LONG height) {
    LOGFONTA description = {};
    description.lfHeight = height;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = SHIFTJIS_CHARSET;
    std::strcpy(description.lfFaceName, kGameFace);
    return description;
}

TEST(WebFontSizing, TheInstalledFaceLandsWhereTheNativeRasteriserPutsIt) {
    for (LONG height : {128, 64, 16, 0, 7, -64, -13}) {
        RealisedFont* native = RealiseFont(GameFont(height));
        ASSERT_NE(native, nullptr) << height;
        FontScale scale;
        ASSERT_TRUE(ScaleBrowserFace("IPAMincho", kBrowserAscent, kBrowserDescent, height, &scale));
        EXPECT_EQ(scale.ascent, FontAscent(*native)) << height;
        EXPECT_EQ(scale.cellHeight, FontCellHeight(*native)) << height;
    }
}

TEST(WebFontSizing, ACellHeightIsTheWindowsAscentPlusDescent) {
    FontScale scale;
    ASSERT_TRUE(ScaleBrowserFace("IPAMincho", kBrowserAscent, kBrowserDescent, 128, &scale));
    EXPECT_NEAR(scale.emPixels, 128.0 * 2048 / (1802 + 455), 1e-9);
    EXPECT_EQ(scale.ascent, 102);
    EXPECT_EQ(scale.cellHeight, 128);
}

TEST(WebFontSizing, OtherFacesAreSizedByTheBrowsersMeasurements) {
    FontScale scale;
    ASSERT_TRUE(ScaleBrowserFace("Some Serif", 0.75, 0.25, 100, &scale));
    EXPECT_DOUBLE_EQ(scale.emPixels, 100);
    EXPECT_EQ(scale.ascent, 75);
    EXPECT_EQ(scale.cellHeight, 100);

    ASSERT_TRUE(ScaleBrowserFace("Some Serif", 0.75, 0.25, -40, &scale));  // the em
    EXPECT_DOUBLE_EQ(scale.emPixels, 40);
    EXPECT_EQ(scale.ascent, 30);
    EXPECT_EQ(scale.cellHeight, 40);

    ASSERT_TRUE(ScaleBrowserFace("Some Serif", 0.75, 0.25, 0, &scale));  // the default cell
    EXPECT_EQ(scale.cellHeight, 16);
}

TEST(WebFontSizing, UnusableMeasurementsGiveNoFont) {
    FontScale scale;
    EXPECT_FALSE(ScaleBrowserFace("Some Serif", 0, 0, 16, &scale));
    EXPECT_FALSE(ScaleBrowserFace("Some Serif", -0.5, 0.2, 16, &scale));
}

}  // namespace
