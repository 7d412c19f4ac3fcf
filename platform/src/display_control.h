// What the window code tells the display about the outside world.
//
// The window code (and on the headless backend, tests) calls these when the program loses the
// display, as when it is minimised, and when it may have it back. The game sees the results
// only through DirectDraw's own answers.
#pragma once

// Every live surface answers DDERR_SURFACELOST until it is restored.
void PlatformLoseAllSurfaces();

// While false (the window is minimised), Restore answers DDERR_WRONGMODE. True at start.
void PlatformSetDisplayRestorable(bool restorable);
