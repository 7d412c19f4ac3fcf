#include "support/game_display.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "display/display.h"
#include "headless.h"

HWND StartGameDisplay() {
    ReleaseDisplay();
    HeadlessReset();
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(InitDisplay(window), DD_OK);
    return window;
}
