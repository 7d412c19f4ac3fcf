// Display start-up and release through WinMain and InitDisplay on the headless backend: the
// logged steps, a failure at each step, what is released and in which order, the colour keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <ddraw.h>

#include "app/frame.h"
#include "app/main_window.h"
#include "display/display.h"
#include "headless.h"
#include "support/program_run.h"

namespace {

const char* const kSuccessLines[] = {
    "DirectDrawCreateEx OK\n", "SetCooperativeLevel OK\n",    "SetDisplayMode OK\n",
    "CreateSurface OK\n",      "GetAttachedSurface OK\n",     "DDLoadPalette OK\n",
    "SetPalette OK\n",         "DDLoadBitmap BackImage OK\n", "DDLoadBitmap Strings OK\n",
    "DDLoadBitmap Title OK\n", "DDLoadBitmap Char OK\n",
};

std::string SuccessLinesBefore(int step) {
    std::string lines;
    for (int i = 0; i < step; ++i)
        lines += kSuccessLines[i];
    return lines;
}

// How to make each step fail, and what the user is told.
struct StepFailure {
    const char* text;
    void (*inject)();
};

const StepFailure kFailures[] = {
    {"DirectDrawCreateEx FAILED",
     [] { HeadlessFailOperation(PlatformOp::DirectDrawCreateEx, DDERR_GENERIC); }},
    {"SetCooperativeLevel FAILED",
     [] { HeadlessFailOperation(PlatformOp::SetCooperativeLevel, DDERR_GENERIC); }},
    {"SetDisplayMode FAILED",
     [] { HeadlessFailOperation(PlatformOp::SetDisplayMode, DDERR_UNSUPPORTED); }},
    {"CreateSurface FAILED",
     [] { HeadlessFailOperation(PlatformOp::CreateSurfacePrimary, DDERR_OUTOFMEMORY); }},
    {"GetAttachedSurface FAILED",
     [] { HeadlessFailOperation(PlatformOp::GetAttachedSurface, DDERR_NOTFOUND); }},
    {"DDLoadPalette FAILED",
     [] { HeadlessFailOperation(PlatformOp::CreatePalette, DDERR_OUTOFMEMORY); }},
    {"SetPalette FAILED", [] { HeadlessFailOperation(PlatformOp::SetPalette, DDERR_GENERIC); }},
    {"DDLoadBitmap BackImage FAILED", [] { HeadlessHideResource("BACKIMG"); }},
    {"DDLoadBitmap Strings FAILED",
     [] { HeadlessFailOperation(PlatformOp::CreateSurfaceOffscreen, DDERR_OUTOFMEMORY, 1); }},
    {"DDLoadBitmap Title FAILED", [] { HeadlessHideResource("TITLE"); }},
    {"DDLoadBitmap Char FAILED", [] { HeadlessHideResource("CHAR"); }},
};

int gFramesPresented;

class DisplayStartupTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgram(); }
    void TearDown() override { ReleaseDisplay(); }

    // Runs WinMain; the pump hook closes the window once a few frames have been presented.
    int RunUntilThreeFrames() {
        HeadlessSetPumpHook(
            [](void*) {
                if (HeadlessFlipCount() >= 3 && HeadlessWindowOpen()) {
                    HeadlessKeyDown(VK_ESCAPE);
                }
            },
            nullptr);
        int exitCode = RunWinMain();
        gFramesPresented = static_cast<int>(HeadlessFlipCount());
        return exitCode;
    }
};

}  // namespace

TEST_F(DisplayStartupTest, ASuccessfulStartWritesTheElevenLinesInOrderAndNothingElse) {
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(InitDisplay(window), DD_OK);
    EXPECT_EQ(HeadlessDebugOutput(), SuccessLinesBefore(11));
    EXPECT_TRUE(HeadlessMessageBoxes().empty());
    for (LPDIRECTDRAWSURFACE7 surface : {gPrimarySurface, gBackSurface, gBackImageSurface,
                                         gStringsSurface, gTitleSurface, gCharSurface}) {
        EXPECT_NE(surface, nullptr);
    }
    EXPECT_NE(gPalette, nullptr);
}

// A keyed copy of an all-transparent region leaves the destination as it was, while an
// unkeyed copy of it writes entry 145: so the key is exactly entry 145.
TEST_F(DisplayStartupTest, TheThreeSheetsAreKeyedOnTheTransparentEntry) {
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    ASSERT_EQ(InitDisplay(window), DD_OK);
    struct Sheet {
        LPDIRECTDRAWSURFACE7 surface;
        RECT emptyRegion;
    };
    const Sheet sheets[] = {
        {gStringsSurface, {0, 0, 8, 16}},   // the space
        {gTitleSurface, {0, 0, 16, 8}},     // above the logo
        {gCharSurface, {256, 0, 288, 32}},  // beside the ship's frames
    };
    DDBLTFX fill{};
    fill.dwSize = sizeof fill;
    fill.dwFillColor = 7;
    for (const Sheet& sheet : sheets) {
        EXPECT_EQ(HeadlessSurfaceIndex(sheet.surface, 0, 0), 145) << "top-left is transparent";
        RECT region = sheet.emptyRegion;
        ASSERT_EQ(gBackSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fill), DD_OK);
        ASSERT_EQ(gBackSurface->BltFast(100, 100, sheet.surface, &region, DDBLTFAST_SRCCOLORKEY),
                  DD_OK);
        EXPECT_EQ(HeadlessSurfaceIndex(gBackSurface, 100, 100), 7);
        ASSERT_EQ(gBackSurface->BltFast(100, 100, sheet.surface, &region, DDBLTFAST_NOCOLORKEY),
                  DD_OK);
        EXPECT_EQ(HeadlessSurfaceIndex(gBackSurface, 100, 100), 145);
    }
    RECT corner = {0, 0, 8, 8};
    EXPECT_NE(gBackSurface->BltFast(0, 0, gBackImageSurface, &corner, DDBLTFAST_SRCCOLORKEY), DD_OK)
        << "the background is never keyed";
}

TEST_F(DisplayStartupTest, AFailureAtAnyStepIsShownOnceReleasedAndEndsWithExitCodeZero) {
    for (int step = 0; step < 11; ++step) {
        SCOPED_TRACE(kFailures[step].text);
        SetUp();
        kFailures[step].inject();

        EXPECT_EQ(RunUntilThreeFrames(), 0);
        EXPECT_EQ(HeadlessMessageBoxes(),
                  std::vector<std::string>{std::string("ZEPHYX: ") + kFailures[step].text});
        EXPECT_EQ(HeadlessDebugOutput().substr(0, SuccessLinesBefore(step).size()),
                  SuccessLinesBefore(step));
        EXPECT_EQ(HeadlessDebugOutput().find(kSuccessLines[step]), std::string::npos);
        EXPECT_EQ(gFramesPresented, 0) << "no frame runs after a failed start";
        EXPECT_FALSE(HeadlessWindowOpen());
        EXPECT_EQ(gDirectDraw, nullptr);
        EXPECT_EQ(gPrimarySurface, nullptr);
        EXPECT_EQ(gPalette, nullptr);
        EXPECT_EQ(gCharSurface, nullptr);
    }
}

// InitDisplay hands back the failed call's own code, and E_FAIL for a loader (which gives only
// a null object): a failed start can never come back as success.
TEST_F(DisplayStartupTest, EachFailedStepsCodeComesBackFromInitDisplay) {
    const HRESULT codes[] = {DDERR_GENERIC,
                             DDERR_GENERIC,
                             DDERR_UNSUPPORTED,
                             DDERR_OUTOFMEMORY,
                             DDERR_NOTFOUND,
                             E_FAIL,
                             DDERR_GENERIC,
                             E_FAIL,
                             E_FAIL,
                             E_FAIL,
                             E_FAIL};
    for (int step = 0; step < 11; ++step) {
        SCOPED_TRACE(kFailures[step].text);
        SetUp();
        HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
        kFailures[step].inject();
        EXPECT_EQ(InitDisplay(window), codes[step]);
    }
}

TEST_F(DisplayStartupTest, AFailedDisplayModeReleasesOnlyTheDirectDrawObject) {
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    HeadlessFailOperation(PlatformOp::SetDisplayMode, DDERR_UNSUPPORTED);
    EXPECT_EQ(InitDisplay(window), DDERR_UNSUPPORTED) << "the call's own code comes back";
    EXPECT_EQ(HeadlessDebugOutput(), SuccessLinesBefore(2));
    EXPECT_EQ(HeadlessDestroyedObjects(), std::vector<std::string>{"DirectDraw"});
    EXPECT_EQ(gDirectDraw, nullptr);
}

TEST_F(DisplayStartupTest, AFailedFontSheetReleasesWhatWasMadeInOrder) {
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    HeadlessFailOperation(PlatformOp::CreateSurfaceOffscreen, DDERR_OUTOFMEMORY, 1);
    HRESULT result = InitDisplay(window);
    EXPECT_EQ(result, E_FAIL) << "a loader's failure is never reported as success";
    EXPECT_EQ(gStringsSurface, nullptr);
    EXPECT_EQ(gTitleSurface, nullptr);
    EXPECT_EQ(gCharSurface, nullptr);
    // The primary goes first and takes its back buffer; the palette outlives it because the
    // primary held a reference, so it is freed by its own release after the back image.
    EXPECT_EQ(HeadlessDestroyedObjects(),
              (std::vector<std::string>{"back buffer 640x480", "primary 640x480",
                                        "offscreen 640x640", "palette", "DirectDraw"}));
}

TEST_F(DisplayStartupTest, AStartedDisplayIsReleasedPrimaryFirstThenTheSheetsInOrder) {
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    ASSERT_EQ(InitDisplay(window), DD_OK);
    HeadlessClearDestroyedObjects();
    ReleaseDisplay();
    // The sheets by their sizes: background, font, title, sprites; the palette is still held
    // by the primary until the primary goes, so it is freed by its own release after them.
    EXPECT_EQ(HeadlessDestroyedObjects(),
              (std::vector<std::string>{
                  "back buffer 640x480", "primary 640x480", "offscreen 640x640", "offscreen 600x96",
                  "offscreen 640x480", "offscreen 288x384", "palette", "DirectDraw"}))
        << "the display objects were released in another order";
}

TEST_F(DisplayStartupTest, ASecondReleaseDoesNothing) {
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    ASSERT_EQ(InitDisplay(window), DD_OK);
    ReleaseDisplay();
    size_t destroyed = HeadlessDestroyedObjects().size();
    EXPECT_EQ(destroyed, 8u) << "DirectDraw, palette, primary + back buffer, four sheets";
    ReleaseDisplay();
    EXPECT_EQ(HeadlessDestroyedObjects().size(), destroyed);
    EXPECT_NE(gBackSurface, nullptr) << "the back buffer's global is left alone";
}
