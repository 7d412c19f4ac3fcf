// Painting a game onto the back buffer. GameFrame calls DrawBackground right after sampling
// the keys and DrawGame last; both return 0 or the first failing blit's code.
#pragma once

#include <windows.h>

// The background and the small score.
HRESULT DrawBackground();

// Enemies and bullets, then the shot and the ship, or "Game Over" with the final score.
HRESULT DrawGame();

// "Game Over" and the ship's score in the system font; DrawGame's last step once the game is
// over. Reports nothing.
void DrawGameOver();
