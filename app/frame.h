// The frame driver: one call of RunFrame is one frame of the program.
//
// The message loop calls RunFrame whenever no message waits and the window is active. The
// clock and the scene state it drives (gNow, gScene) belong to the scenes: game/scene.h.
#pragma once

#include <windows.h>

#include "game/scene.h"

extern int gFrameCount;     // frames since the counter text was last updated, this one included
extern DWORD gFpsTime;      // when the counter text was last updated
extern char gFpsText[128];  // the counter text drawn every frame, empty until the first update

// Runs one frame: clock, scene, frame counter, counter text, flip. Returns 0, or the non-zero
// code of the counter text's drawing (the frame is then not presented) or of the flip.
HRESULT RunFrame(HWND window);
