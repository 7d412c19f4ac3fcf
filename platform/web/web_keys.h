// Browser key codes to Windows virtual-key codes.
//
// The browser names a key by its place on the keyboard (KeyboardEvent.code: "ArrowLeft",
// "Space", "KeyA"), whatever the layout, as a game wants.
#pragma once

// The virtual-key code of the key named `code`, or 0 for keys the program has no use for (the
// page then leaves them to the browser).
int VirtualKeyFromCode(const char* code);
