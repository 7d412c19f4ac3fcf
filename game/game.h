// The play scene: a game's set-up and the fixed order of one game frame.
//
// The frame driver calls GameInit when gScene is 30 and falls through into GameFrame; while
// gScene is 31 it calls GameFrame alone. Their results are ignored by the driver.
#pragma once

#include <windows.h>

// Ship, shot, cleared pool, first enemy, spawn timer; sets gScene to 31 and reseeds rand.
void GameInit(HWND window);

// Keys, background, ship, shot, the actor pass, the spawn schedule, collisions, drawing.
// Returns the background's code if it failed (nothing else then happens), else DrawGame's.
HRESULT GameFrame(HWND window);

// Samples the arrows and space into `keys` as levels: 1 while down at this moment.
void ReadGameKeys(HWND window, BYTE keys[256]);

// A random integer from lo to hi inclusive, from the next value of rand().
int RandomRange(int lo, int hi);

// The mapping RandomRange applies to one generator output r in 0 to 32767.
int ScaleRandom(int r, int lo, int hi);
