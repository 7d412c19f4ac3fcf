// The frame driver: one call of RunFrame is one frame of the program.
//
// The message loop calls RunFrame whenever no message waits and the window is active. The
// globals here are shared by every scene: scenes hand over only by writing gScene, and every
// timer in the game compares a stored stamp with gNow by unsigned 32-bit subtraction.
#pragma once

#include <windows.h>

// Scene values of gScene. A set-up value runs its set-up and falls through into the scene's
// frame in the same call; any other value runs no scene at all.
enum : BYTE {
    kSceneTitleSetup = 10,
    kSceneTitle = 11,
    kSceneGameSetup = 30,
    kSceneGame = 31,
};

extern DWORD gNow;          // timeGetTime() sampled at the start of the current frame
extern BYTE gScene;         // the scene state, 10 at program start
extern int gFrameCount;     // frames since the counter text was last updated, this one included
extern DWORD gFpsTime;      // when the counter text was last updated
extern char gFpsText[128];  // the counter text drawn every frame, empty until the first update

// Runs one frame: clock, scene, frame counter, counter text, flip. Returns 0, or the non-zero
// code of the counter text's drawing (the frame is then not presented) or of the flip.
HRESULT RunFrame(HWND window);
