// Flip leaves out the presentation of a picture that is already on screen, presents any change
// of a pixel or a palette entry, and presents again whenever the screen may have lost its
// picture. Its 60 Hz schedule runs in microseconds and absorbs what happens between flips.
#include <functional>
#include <utility>
#include <vector>

#include "platform/ddraw_fixture.h"

namespace {

class UnchangedFlipTest : public DisplayTest {
protected:
    // Draws the same picture into the back buffer and flips it, and sleeps 1 ms after the
    // frame as the game does.
    void FlipPattern() {
        FillPattern(back, 640, 480);
        ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
        Sleep(1);
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

uint8_t* LockedMemory(IDirectDrawSurface7* surface) {
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(surface->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
    return static_cast<uint8_t*>(desc.lpSurface);
}

// After an unchanged flip the game draws into the memory it has just drawn (warm in the cache)
// instead of swapping; after a changed one the buffers swap as always.
TEST_F(UnchangedFlipTest, AfterAnUnchangedFlipTheGameDrawsIntoTheSameMemory) {
    FlipPattern();
    FlipPattern();
    uint8_t* drawnInto = LockedMemory(back);
    FlipPattern();
    EXPECT_EQ(LockedMemory(back), drawnInto) << "an unchanged flip swapped the buffers";

    FillPattern(back, 640, 480);
    HeadlessSetSurfaceIndex(back, 3, 3, 77);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_NE(LockedMemory(back), drawnInto) << "a changed flip did not swap the buffers";
}

// Every way the game writes pixels, each putting index 201 at (0, 0) of `target`.
std::vector<std::pair<const char*, std::function<void()>>> WritesOf201(IDirectDrawSurface7* target,
                                                                       IDirectDrawSurface7* sheet,
                                                                       const PALETTEENTRY& colour) {
    return {
        {"a lock", [=] { LockedMemory(target)[0] = 201; }},
        {"a colour fill",
         [=] {
             DDBLTFX fx = {};
             fx.dwSize = sizeof fx;
             fx.dwFillColor = 201;
             RECT corner = {0, 0, 1, 1};
             ASSERT_EQ(target->Blt(&corner, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
         }},
        {"a copy",
         [=] {
             HeadlessSetSurfaceIndex(sheet, 0, 0, 201);
             RECT corner = {0, 0, 1, 1};
             ASSERT_EQ(target->BltFast(0, 0, sheet, &corner, 0), DD_OK);
         }},
        {"a device context",
         [=] {
             HDC dc = nullptr;
             ASSERT_EQ(target->GetDC(&dc), DD_OK);
             SetPixel(dc, 0, 0, RGB(colour.peRed, colour.peGreen, colour.peBlue));
             ASSERT_EQ(target->ReleaseDC(dc), DD_OK);
         }},
    };
}

// Keeping the buffers is invisible only while the front still holds the picture on screen.
// Once anything wrote into it (a lock, a fill, a copy, a device context), an unchanged flip
// swaps as Flip always does: the front shows the new picture, the back gets the old front.
TEST_F(UnchangedFlipTest, AFrontWrittenSinceItWasShownIsSwappedAsAlways) {
    for (const auto& [how, write] : WritesOf201(primary, MakeOffscreen(8, 8), entries[201])) {
        FlipPattern();
        FlipPattern();
        write();
        const uint8_t written = HeadlessSurfaceIndex(primary, 0, 0);
        ASSERT_NE(written, 0) << how << " did not change the front";
        FlipPattern();
        EXPECT_EQ(HeadlessSurfaceIndex(primary, 0, 0), 0)
            << "after " << how
            << " into the front, an unchanged flip left it there instead of the new picture";
        EXPECT_EQ(HeadlessSurfaceIndex(back, 0, 0), written)
            << "after " << how << " into the front, the back did not get the old front";
    }
}

// A frame of whole-row fills, as the title's background is, lets the flip compare only the
// rows written since the picture was shown and the fill skip rows that hold its value already.
// Neither may hide a pixel written any other way, into either buffer.
TEST_F(UnchangedFlipTest, RowsKnownToHoldTheShownPictureStillShowEveryWrite) {
    DDBLTFX fx = {};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 9;
    auto flipFilled = [&] {
        ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
        ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    };
    for (const auto& [how, write] : WritesOf201(back, MakeOffscreen(8, 8), entries[201])) {
        for (int frame = 0; frame < 3; ++frame) {
            flipFilled();
        }
        write();
        uint32_t presents = HeadlessPresentCount();
        ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
        EXPECT_EQ(HeadlessPresentCount(), presents + 1) << how << " was not presented";
        EXPECT_EQ(HeadlessPresentedIndex(0, 0), 201) << how;
        for (int frame = 0; frame < 2; ++frame) {
            flipFilled();
            EXPECT_EQ(HeadlessPresentedIndex(0, 0), 9)
                << "a fill left what " << how << " wrote (frame " << frame + 1 << " after it)";
        }
        EXPECT_EQ(HeadlessPresentCount(), presents + 2) << "after " << how;
    }
}

// Whatever the game does between flips (its frame, a sleep, the event pump, even a present that
// was left out) comes off the wait: each picture is due n/60 s after the first, to the
// microsecond, a changed one is shown by then, as its frame is ready, and the sleep after an
// unchanged one ends between its turn and the next.
TEST_F(UnchangedFlipTest, PicturesAreDueOnASixtiethOfASecondToTheMicrosecond) {
    HeadlessSetTime(1000);
    FlipPattern();  // the first picture starts the schedule
    const uint64_t start = HeadlessLastPresentMicroseconds();
    uint8_t corner = static_cast<uint8_t>(HeadlessPresentedIndex(0, 0));
    uint64_t changedShown = 0;
    for (uint64_t picture = 1; picture <= 7; ++picture) {
        HeadlessAdvanceTime(static_cast<uint32_t>(picture % 3));
        const bool changed = picture % 3 == 0;
        corner = changed ? static_cast<uint8_t>(corner + 1) : corner;
        FillPattern(back, 640, 480);
        HeadlessSetSurfaceIndex(back, 0, 0, corner);
        ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
        if (changed) {
            const uint64_t shown = HeadlessLastPresentMicroseconds() - start;
            EXPECT_LE(shown, picture * 1000000 / 60) << "changed picture " << picture << " late";
            EXPECT_GT(shown, (picture - 1) * 1000000 / 60)
                << "changed picture " << picture << " came before the turn of the one before";
            if (picture == 6) {
                EXPECT_EQ(shown - changedShown, 50000u) << "pictures 3 and 6 off the beat";
            }
            changedShown = shown;
        }
        Sleep(1);
        if (!changed) {
            EXPECT_GT(HeadlessMicroseconds() - start, picture * 1000000 / 60)
                << "the sleep after unchanged picture " << picture << " ends before its turn";
            EXPECT_LT(HeadlessMicroseconds() - start, (picture + 1) * 1000000 / 60)
                << "the sleep after unchanged picture " << picture << " ends after the next";
        }
    }
    EXPECT_EQ(HeadlessPresentCount(), 3u) << "pictures 0, 3 and 6 changed";
}

// An unchanged picture's flip returns at once; the game's sleep after the frame lasts past the
// picture's turn and reports it, so a frame with nothing to show wakes the program once, not
// twice. The sleep is never shorter than asked, and a flip with no sleep before it waits for
// the turn itself.
TEST_F(UnchangedFlipTest, TheSleepAfterAnUnchangedFlipWaitsForItsTurnAndNoLess) {
    FlipPattern();
    FillPattern(back, 640, 480);
    const uint64_t flipped = HeadlessMicroseconds();
    const auto due = [start = HeadlessLastPresentMicroseconds()](uint64_t picture) {
        return start + picture * 1000000 / 60;
    };
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(HeadlessMicroseconds(), flipped) << "the unchanged flip waited itself";
    EXPECT_EQ(HeadlessUnchangedFlipCount(), 0u) << "its turn has not come yet";
    Sleep(1);
    EXPECT_GT(HeadlessMicroseconds(), due(1)) << "the sleep ended before the turn";
    EXPECT_LT(HeadlessMicroseconds(), due(2)) << "the sleep ended after the next turn";
    EXPECT_EQ(HeadlessUnchangedFlipCount(), 1u);

    // A frame that ran late: the turn is near, the sleep still lasts the 1 ms asked for.
    FillPattern(back, 640, 480);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    HeadlessAdvanceTime(16);
    const uint64_t asleep = HeadlessMicroseconds();
    Sleep(1);
    EXPECT_EQ(HeadlessMicroseconds(), asleep + 1000) << "the sleep was cut short by the turn";

    // No sleep between two flips: the second waits for the first one's turn, then for the
    // wake-up planned for its own frame, a little before its own turn.
    FillPattern(back, 640, 480);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    FillPattern(back, 640, 480);
    HeadlessSetSurfaceIndex(back, 5, 5, 99);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(HeadlessUnchangedFlipCount(), 3u);
    EXPECT_GT(HeadlessMicroseconds(), due(3) + 1000000 / 120)
        << "the changed picture was presented right after the unchanged one's turn";
    EXPECT_LE(HeadlessMicroseconds(), due(4)) << "the changed picture waited past its turn";
}

// A display with frames of its own (a browser's renderings) is waited for only when there is a
// new picture to show, or a key that most likely makes one, and never for less than the sleep
// asked for.
TEST_F(UnchangedFlipTest, OnlyTheSleepAfterAChangedPictureWaitsForTheDisplaysFrame) {
    FlipPattern();
    EXPECT_EQ(HeadlessFrameSleepCount(), 1u);
    EXPECT_EQ(HeadlessLastFrameSleepDue(), HeadlessLastPresentMicroseconds() + 1000000 / 60);
    const uint64_t unchangedDue = HeadlessLastPresentMicroseconds() + 2 * 1000000 / 60;
    FlipPattern();
    EXPECT_EQ(HeadlessFrameSleepCount(), 1u) << "waited for a frame with nothing new to show";
    EXPECT_EQ(HeadlessKeyFrameSleepCount(), 1u) << "a key could not cut the timer short";
    EXPECT_EQ(HeadlessLastKeyFrameSleepDue(), unchangedDue);

    FillPattern(back, 640, 480);
    HeadlessSetSurfaceIndex(back, 5, 5, 99);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    HeadlessAdvanceTime(20);
    const uint64_t asleep = HeadlessMicroseconds();
    Sleep(1);
    EXPECT_EQ(HeadlessFrameSleepCount(), 2u);
    EXPECT_EQ(HeadlessLastFrameSleepDue(), asleep + 1000) << "a late frame's sleep was cut";
}

}  // namespace
