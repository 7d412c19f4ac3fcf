// The keyboard, the touch controls and the pads, merged into the one keyboard state the game
// reads.
//
// Each is a source of keys of its own (key_merge.h), each pad apart (gamepad_mapping.h): a key
// is down while any source holds it, so a finger or a pad letting go never releases a key the
// keyboard or another pad still holds, and only changes of the merged state reach the platform,
// as in the Linux program. Called where the page's events are delivered and pads are read,
// never from inside a browser event handler.
#pragma once

#include "../src/gamepad_mapping.h"
#include "../src/key_merge.h"

// The sources: the keyboard (KeyMerge::kKeyboard), pad i as i + 1, the touch controls last.
// A browser numbers its pads from 0 (Gamepad.index); this many are told apart.
constexpr int kWebPads = KeyMerge::kSources - 2;
constexpr int kWebTouchSource = KeyMerge::kSources - 1;

// The keyboard or the touch controls pressed (the keyboard also repeated) or released a key.
void WebInputKey(int source, int virtualKey, bool down);

// Pad `pad` (0 to kWebPads - 1) was read with these controls.
void WebInputPadRead(int pad, const PadControls& controls);

// Pad `pad` is gone: the keys it held are released.
void WebInputPadGone(int pad);

// Every source lets go of every key, as on focus loss (the platform forgets its own state).
void WebInputReleaseAll();
