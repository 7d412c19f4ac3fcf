// Colour-keyed copies done several pixels at a time must match the pixel-by-pixel rule for
// every width, alignment and key value, including keys whose bytes look like carries.
#include <random>
#include <vector>

#include "platform/ddraw_fixture.h"

namespace {

TEST_F(DisplayTest, KeyedCopiesMatchThePixelRuleAtEveryWidthAndOffset) {
    constexpr int kSheetWidth = 61;
    constexpr int kSheetHeight = 9;
    IDirectDrawSurface7* sheet = MakeOffscreen(kSheetWidth, kSheetHeight);
    std::mt19937 random(11);
    for (DWORD key : {0u, 1u, 127u, 128u, 145u, 255u}) {
        DDCOLORKEY colourKey = {key, key};
        ASSERT_EQ(sheet->SetColorKey(DDCKEY_SRCBLT, &colourKey), DD_OK);
        // Keyed pixels in runs and alone; the others next to the key's value.
        for (int y = 0; y < kSheetHeight; ++y) {
            for (int x = 0; x < kSheetWidth; ++x) {
                int roll = static_cast<int>(random() % 4);
                uint8_t value = roll == 0   ? static_cast<uint8_t>(key)
                                : roll == 1 ? static_cast<uint8_t>(key ^ 0x80)
                                : roll == 2 ? static_cast<uint8_t>(key + 1)
                                            : static_cast<uint8_t>(random());
                HeadlessSetSurfaceIndex(sheet, x, y, value);
            }
        }
        for (int width = 1; width <= kSheetWidth; ++width) {
            const int left = static_cast<int>(random() % (kSheetWidth - width + 1));
            const int x = static_cast<int>(random() % (640 - kSheetWidth));
            const int y = static_cast<int>(random() % 400);
            RECT from = {left, 0, left + width, kSheetHeight};
            std::vector<uint8_t> before = HeadlessSurfaceIndices(back);
            ASSERT_EQ(back->BltFast(x, y, sheet, &from, DDBLTFAST_SRCCOLORKEY), DD_OK);
            std::vector<uint8_t> after = HeadlessSurfaceIndices(back);
            for (int row = 0; row < 480; ++row) {
                for (int column = 0; column < 640; ++column) {
                    uint8_t expected = before[row * 640 + column];
                    if (row >= y && row < y + kSheetHeight && column >= x && column < x + width) {
                        uint8_t source = HeadlessSurfaceIndex(sheet, left + column - x, row - y);
                        if (source != key) {
                            expected = source;
                        }
                    }
                    ASSERT_EQ(after[row * 640 + column], expected)
                        << "key " << key << " width " << width << " at " << column << "," << row;
                }
            }
        }
    }
}

}  // namespace
