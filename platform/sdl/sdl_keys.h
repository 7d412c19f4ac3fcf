// SDL key codes to Windows virtual-key codes.
#pragma once

#include <SDL.h>

// The virtual-key code of `key`, or 0 for keys the program has no use for.
int VirtualKeyFromSdl(SDL_Keycode key);
