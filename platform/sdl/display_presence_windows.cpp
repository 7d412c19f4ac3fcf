#include <SDL.h>

#include <cstdio>

#include "display_presence.h"

// Windows always has a desktop for a program it starts with one; when SDL still cannot start
// its video, SDL's reason is the one line.
bool StartVideoOnPlayersDisplay() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "zephyx: no window can be opened: %s\n", SDL_GetError());
        return false;
    }
    return true;
}
