#include "display_loss.h"

// A Windows desktop does not go away under a program that runs on it.
void WatchForDisplayLoss() {}

void EndIfCompositorLost(SDL_Window*) {}
