// The game's own display on the headless backend, for tests that run real frames.
#pragma once

#include <windows.h>

// Releases whatever display an earlier test left, resets the headless platform, then opens the
// program's window and starts the display exactly as WinMain does, and warms the system font
// (see WarmSystemFont). Returns the window.
HWND StartGameDisplay();

// Draws the game-over texts once onto the back buffer, so the font caches are warm.
void WarmSystemFont();
