// The play scene: a game's set-up and the fixed order of one game frame.
//
// The frame driver calls GameInit when gScene is kSceneGameSetup and falls through into
// GameFrame; while gScene is kSceneGame it calls GameFrame alone. Their results are ignored by
// the driver.
#pragma once

#include <windows.h>

#include "game/actor.h"

// Ship, shot, cleared pool, first enemy, spawn timer; moves on to kSceneGame and reseeds rand.
void GameInit(HWND window);

// Keys, background, ship, shot, the actor pass, the spawn schedule, collisions, drawing.
// Returns the background's code if it failed (nothing else then happens), else DrawGame's.
HRESULT GameFrame(HWND window);

// GameInit's first two steps: the ship standing centred on the bottom of the play field, alive,
// with a zero score and its animation starting at gNow; the shot free.
void SetUpShip();
void SetUpShot();

// Moves one actor of the pool by its kind; an actor of an unknown kind stays where it is.
void MoveActor(Actor& actor);
