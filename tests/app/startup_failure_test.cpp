// FailInit, the application's end of a failed start-up: the display is given back before the
// player is told (a box over an exclusive full-screen display cannot be seen), and the window
// goes only once the box is closed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "display/display.h"
#include "headless.h"
#include "support/program_run.h"

namespace {

struct Box {
    std::string caption;
    std::string text;
    bool displayReleased;
    bool windowOpen;
};

std::vector<Box> gBoxes;

}  // namespace

// Takes the place of the platform's message box in this test program, to look at the display
// and the window at the moment the box is shown.
int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    gBoxes.push_back({caption, text,
                      gDirectDraw == nullptr && gPrimarySurface == nullptr &&
                          gCharSurface == nullptr && gPalette == nullptr,
                      HeadlessWindowOpen()});
    return IDOK;
}

namespace {

TEST(StartupFailure, TheDisplayIsReleasedBeforeTheBoxAndTheWindowClosedAfterIt) {
    ResetProgram();
    gBoxes.clear();
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    ASSERT_NE(window, nullptr);
    HeadlessHideResource("CHAR");  // start-up gets as far as it can, then fails

    EXPECT_EQ(InitDisplay(window), E_FAIL);
    ASSERT_EQ(gBoxes.size(), 1u);
    EXPECT_EQ(gBoxes[0].caption, "ZEPHYX");
    EXPECT_EQ(gBoxes[0].text, "DDLoadBitmap Char FAILED");
    EXPECT_TRUE(gBoxes[0].displayReleased)
        << "the message box was shown while the display was still held";
    EXPECT_TRUE(gBoxes[0].windowOpen) << "the window was gone before the box was shown";
    EXPECT_FALSE(HeadlessWindowOpen()) << "the window stays open after the box";
}

}  // namespace
