// The presenters' changed rows: every row at first, after Forget and with a new palette, then
// only rows whose indices differ, in bands joined across short gaps; bytes past a row's width
// never count.
#include <gtest/gtest.h>

#include <vector>

#include "platform/src/changed_rows.h"

namespace {

constexpr int kWidth = 8;
constexpr int kHeight = 64;
constexpr int kPitch = 12;  // four bytes past each row's width

class ChangedRowsTest : public ::testing::Test {
protected:
    void SetUp() override { rows.Resize(kWidth, kHeight); }

    std::vector<RowBand> Take() { return rows.Take(picture.data(), kPitch, palette); }

    void Change(int x, int y) { ++picture[y * kPitch + x]; }

    std::vector<uint8_t> picture = std::vector<uint8_t>(kPitch * kHeight, 3);
    BackendColor palette[256] = {};
    ChangedRows rows;
};

TEST_F(ChangedRowsTest, EveryRowFirstAfterForgetAndWithANewPaletteThenNone) {
    const std::vector<RowBand> everyRow = {{0, kHeight}};
    EXPECT_EQ(Take(), everyRow);
    EXPECT_EQ(Take(), std::vector<RowBand>{});
    rows.Forget();
    EXPECT_EQ(Take(), everyRow) << "forgotten";
    rows.Resize(kWidth, kHeight);
    EXPECT_EQ(Take(), everyRow) << "resized";
    palette[200].blue = 1;  // an entry no pixel shows: the presenters convert whole palettes
    EXPECT_EQ(Take(), everyRow) << "a new palette";
    EXPECT_EQ(Take(), std::vector<RowBand>{});
}

TEST_F(ChangedRowsTest, ChangedRowsComeInBandsJoinedAcrossShortGaps) {
    Take();
    const int gap = ChangedRows::kRowsJoined;
    Change(0, 2);
    Change(kWidth - 1, 2 + gap);  // gap - 1 unchanged rows between: one band
    Change(3, 2 + 2 * gap + 1);   // gap unchanged rows before it: a band of its own
    Change(0, kHeight - 1);
    EXPECT_EQ(Take(),
              (std::vector<RowBand>{
                  {2, 3 + gap}, {2 + 2 * gap + 1, 3 + 2 * gap + 1}, {kHeight - 1, kHeight}}));
    EXPECT_EQ(Take(), std::vector<RowBand>{}) << "the changed picture was remembered";

    Change(kWidth, 9);  // past the width
    EXPECT_EQ(Take(), std::vector<RowBand>{});
}

}  // namespace
