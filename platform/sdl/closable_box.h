// SDL's message box, closed by a quit signal.
//
// While a box waits for its button nobody pumps events, so a signal's close request would
// wait with it; and on X, SDL shows the box from a child process that outlives a program
// ended under it. So a quit signal ends the box instead: its caller goes on as after the
// button, and the program ends the normal way.
#pragma once

#include <SDL.h>

// An error box over `parent` (or none); 0 once its button is pressed, otherwise SDL's
// failure. A quit signal that came before or comes while it is up closes it: it then fails.
int ShowClosableErrorBox(const char* caption, const char* text, SDL_Window* parent);

// For the quit-signal watcher: ends the box on screen, if any, and refuses the next one.
void CloseShownBox();
