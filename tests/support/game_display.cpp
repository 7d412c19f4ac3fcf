#include "support/game_display.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "display/display.h"
#include "display/text.h"
#include "headless.h"

// The game-over texts set up the font renderer and its caches the first time they are drawn
// in a process; tests that count allocations start from there, as a running game would after
// its first game over. The back buffer is redrawn by every frame, so nothing of it remains.
void WarmSystemFont() {
    const char face[] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";
    DrawFontText(30, 180, "Game Over", 0x00FFFF00, 128, face, 0);
    DrawFontText(100, 300, "SCORE 0123456789", 0x00FFFF00, 64, face, 0);  // every digit
}

HWND StartGameDisplay() {
    ReleaseDisplay();
    HeadlessReset();
    HWND window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(InitDisplay(window), DD_OK);
    WarmSystemFont();
    return window;
}
