// SIGINT, SIGTERM and SIGHUP as requests to close the window.
//
// main calls StartQuitSignalWatch before any other thread exists; the backend's event pump
// asks TakeQuitSignal each time and turns a signal into the same close request as the
// window's close button, so the game ends through its own window procedure.
#pragma once

// Blocks the three signals in every thread and starts one thread that waits for them. A
// signal sets the request and wakes a pump that waits for events. Where nothing takes the
// request within a second (a message box waiting for its button, a hang), and for any second
// signal, the signal's default action ends the program at once.
void StartQuitSignalWatch();

// True once for each time a quit signal arrived since the last call.
bool TakeQuitSignal();
