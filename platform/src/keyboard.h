// The keyboard state behind GetAsyncKeyState.
//
// Backends report key changes here as they pump their events; the game reads the state with
// GetAsyncKeyState. Releasing every key on focus loss keeps a key from staying stuck down.
#pragma once

void PlatformSetKey(int virtualKey, bool down);
bool PlatformIsKeyDown(int virtualKey);
void PlatformReleaseAllKeys();
