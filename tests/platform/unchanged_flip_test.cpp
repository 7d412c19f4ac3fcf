// Flip leaves out the presentation of a picture that is already on screen, presents any change
// of a pixel or a palette entry, and presents again whenever the screen may have lost its
// picture. Its 60 Hz schedule runs in microseconds and absorbs what happens between flips.
#include "platform/ddraw_fixture.h"

namespace {

class UnchangedFlipTest : public DisplayTest {
protected:
    // Draws the same picture into the back buffer and flips it.
    void FlipPattern() {
        FillPattern(back, 640, 480);
        ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    }
};

TEST_F(UnchangedFlipTest, IdenticalFlipsAreLeftOutAndAnyChangedPixelOrPaletteEntryPresents) {
    FlipPattern();
    FlipPattern();
    FlipPattern();
    EXPECT_EQ(HeadlessPresentCount(), 1u);
    EXPECT_EQ(HeadlessUnchangedFlipCount(), 2u);

    // One pixel at either end of the picture.
    for (auto [x, y] : {std::pair{639, 479}, std::pair{0, 0}}) {
        const uint32_t presents = HeadlessPresentCount();
        FillPattern(back, 640, 480);
        HeadlessSetSurfaceIndex(back, x, y, static_cast<uint8_t>((x + 7 * y + 1) % 256));
        ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
        EXPECT_EQ(HeadlessPresentCount(), presents + 1) << "pixel " << x << "," << y;
        FlipPattern();
        EXPECT_EQ(HeadlessPresentCount(), presents + 2) << "and back";
    }

    // The same indices through a palette that differs in one entry.
    PALETTEENTRY changed[256];
    std::copy(entries, entries + 256, changed);
    changed[200].peBlue ^= 1;
    IDirectDrawPalette* other = nullptr;
    ASSERT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT, changed, &other, nullptr), DD_OK);
    ASSERT_EQ(primary->SetPalette(other), DD_OK);
    const uint32_t presents = HeadlessPresentCount();
    FlipPattern();
    EXPECT_EQ(HeadlessPresentCount(), presents + 1);
    FlipPattern();
    EXPECT_EQ(HeadlessPresentCount(), presents + 1);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    other->Release();
}

TEST_F(UnchangedFlipTest, AnExposeOrARestoredDisplayPresentsTheSamePictureOnceMore) {
    FlipPattern();
    HeadlessExpose();
    FlipPattern();
    EXPECT_EQ(HeadlessPresentCount(), 2u);
    FlipPattern();
    EXPECT_EQ(HeadlessPresentCount(), 2u) << "an expose asks for one present";

    // Minimised and back: the game restores the surfaces and draws the same picture.
    HeadlessLoseAllSurfaces();
    EXPECT_EQ(primary->Flip(nullptr, 0), DDERR_SURFACELOST);
    ASSERT_EQ(primary->Restore(), DD_OK);
    FlipPattern();
    EXPECT_EQ(HeadlessPresentCount(), 3u);
    EXPECT_EQ(HeadlessPresentedIndex(639, 479), (639 + 7 * 479) % 256);
}

// Whatever the game does between flips (its frame, a 1 ms sleep, the event pump, even a
// present that was left out) comes off the wait: each picture is due n/60 s after the first,
// to the microsecond.
TEST_F(UnchangedFlipTest, PicturesAreDueOnASixtiethOfASecondToTheMicrosecond) {
    HeadlessSetTime(1000);
    Sleep(1);
    FlipPattern();  // the first picture starts the schedule
    const uint64_t start = HeadlessMicroseconds();
    for (uint64_t picture = 1; picture <= 7; ++picture) {
        Sleep(1);
        HeadlessAdvanceTime(static_cast<uint32_t>(picture % 3));
        FlipPattern();
        EXPECT_EQ(HeadlessMicroseconds() - start, picture * 1000000 / 60) << "picture " << picture;
    }
}

}  // namespace
