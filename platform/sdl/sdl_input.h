// The keyboard and the gamepads, merged into the one keyboard state the game reads.
//
// The SDL backend's event pump hands every key and pad event here. Pads come and go while the
// game runs (SDL's GameController API with its mapping database, SDL_GAMECONTROLLERCONFIG
// honoured); each is one source of keys (gamepad_mapping.h), merged with the keyboard
// (key_merge.h), and only merged changes reach the platform.
#pragma once

#include <SDL.h>

// Starts SDL's pad support; pads already plugged in arrive as events. Without it the game
// simply has no pads.
void StartGamepads();
// Closes every pad (the backend's window is closing).
void StopGamepads();

// A keyboard key went down (or repeated) or up.
void ReportKeyboardKey(int virtualKey, bool down);

// Handles a pad event; false when `event` is not one.
bool HandleGamepadEvent(const SDL_Event& event);

// Every source lets go of every key, as on focus loss (the platform forgets its own state).
void ReleaseAllInputKeys();
