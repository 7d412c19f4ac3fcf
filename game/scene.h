// The clock and the scene state that every scene shares with the frame driver.
//
// The frame driver (app/frame.cpp) samples gNow at the start of each frame and runs the scene
// that gScene names; scenes hand over only by writing gScene, and every timer in the game
// compares a stored stamp with gNow by unsigned 32-bit subtraction. They are defined here, in
// the lowest layer that reads them, so that the game never depends on the application.
#pragma once

#include <windows.h>

// Values of gScene. A set-up value runs its set-up and falls through into the scene's frame
// in the same call; any other value runs no scene at all.
enum : BYTE {
    kSceneTitleSetup = 10,
    kSceneTitle = 11,
    kSceneGameSetup = 30,
    kSceneGame = 31,
};

extern DWORD gNow;   // timeGetTime() sampled at the start of the current frame
extern BYTE gScene;  // the scene state, kSceneTitleSetup at program start
