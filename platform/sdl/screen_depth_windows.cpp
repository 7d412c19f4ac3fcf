#include "screen_depth.h"

// Windows gives SDL a pixel format for every screen it can draw on.
int NativeScreenDepth(SDL_Window*) {
    return 0;
}
