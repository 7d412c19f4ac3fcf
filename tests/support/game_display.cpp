#include "support/game_display.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "display/display.h"
#include "game/actor.h"
#include "game/draw.h"
#include "headless.h"

// The game-over texts set up the font renderer and its caches the first time they are drawn
// in a process; tests that count allocations start from there, as a running game would after
// its first game over. The back buffer is redrawn by every frame, so nothing of it remains.
void WarmSystemFont() {
    const int score = gPlayer.value;
    gPlayer.value = 1234567890;  // every digit
    DrawGameOver();
    gPlayer.value = score;
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
