// The end of the program when its display goes away while it runs (the X server ends).
//
// Nothing can be drawn or released through a dead connection, so the program says so in one
// line and ends at once with exit code 1, before the display library's own message and exit.
#pragma once

// Called once SDL's video runs; does nothing for a display other than X.
void WatchForDisplayLoss();
