// The title scene: the logo and the start prompt on dark navy, and the space bar to play.
//
// The frame driver calls TitleInit when gScene is 10 and falls through into TitleFrame; while
// gScene is 11 it calls TitleFrame alone. Results are ignored by the driver.
#pragma once

#include <windows.h>

extern RECT gTitleLogoRect;    // (0, 0, 640, 100) of the title sheet
extern RECT gTitlePromptRect;  // (0, 100, 640, 135) of the title sheet

// Sets the two bands, moves on to the title (11) and reseeds rand from gNow.
void TitleInit(HWND window);

// Clears to palette index 128, draws the logo and the prompt, and asks for a game (30) while
// the space bar is held. Returns 0 or the first failing blit's code.
HRESULT TitleFrame(HWND window);

// keys[VK_SPACE] = 1 while the space bar is down at this moment, else 0.
void ReadTitleKeys(HWND window, BYTE keys[256]);
