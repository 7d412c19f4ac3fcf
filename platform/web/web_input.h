// The keyboard and the pads, merged into the one keyboard state the game reads.
//
// Each pad is one source of keys (gamepad_mapping.h) beside the keyboard (key_merge.h): a key is
// down while any of them holds it, and only changes of the merged state reach the platform, as
// in the Linux program. Called where the page's events are delivered and pads are read, never
// from inside a browser event handler.
#pragma once

#include "../pads/gamepad_mapping.h"

// The most pads told apart; a browser numbers its pads from 0 (Gamepad.index).
constexpr int kWebPads = 31;

// A keyboard key went down (or repeated) or up.
void WebInputKeyboardKey(int virtualKey, bool down);

// Pad `pad` (0 to kWebPads - 1) was read with these controls.
void WebInputPadRead(int pad, const PadControls& controls);

// Pad `pad` is gone: the keys it held are released.
void WebInputPadGone(int pad);

// Every source lets go of every key, as on focus loss (the platform forgets its own state).
void WebInputReleaseAll();
