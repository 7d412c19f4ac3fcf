// The title scene: the logo and the start prompt on dark navy, and the space bar to play.
//
// The frame driver calls TitleInit when gScene is kSceneTitleSetup and falls through into
// TitleFrame; while gScene is kSceneTitle it calls TitleFrame alone. Results are ignored by the
// driver.
#pragma once

#include <windows.h>

// Sets the logo and prompt bands of the title sheet, moves on to kSceneTitle and reseeds rand
// from gNow.
void TitleInit(HWND window);

// Clears to dark navy, draws the logo and the prompt, and asks for a game (kSceneGameSetup)
// while the space bar is held. Returns 0 or the first failing blit's code.
HRESULT TitleFrame(HWND window);
