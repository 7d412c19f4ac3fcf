// SIGINT, SIGTERM and SIGHUP as requests to close the window.
//
// main blocks the signals before SDL starts any thread; the backend starts the watcher once
// SDL's events run and main stops it before SDL goes down, so the watcher never meets SDL
// half started or half stopped. A signal that comes while nobody watches waits, blocked, for
// the watcher (or is dropped with the program's normal end). The backend's event pump asks
// TakeQuitSignal each time and turns a signal into the same close request as the window's
// close button, so the game ends through its own window procedure and releases everything.
#pragma once

// Blocks the three signals in the calling thread and in every thread it starts from now on,
// and keeps SDL from installing handlers of its own. main calls it before anything else runs.
void BlockQuitSignals();

// Starts the one thread that takes the signals, once SDL's event queue runs (once only).
// A signal sets the request, wakes a pump that waits for events and closes a message box on
// screen (closable_box.h), since nobody pumps while one waits for its button. A second
// signal is one more request: the close already under way finishes and releases all. A third
// ends the program at once with the signal's default action, whatever it was doing.
void StartQuitSignalWatch();

// Ends the watcher and waits for it; the signals stay blocked. Before SDL_Quit.
void StopQuitSignalWatch();

// True once for each time a quit signal arrived since the last call.
bool TakeQuitSignal();
