// Random integers for the game's choices (the kind of each new enemy).
#pragma once

// A random integer from lo to hi inclusive, from the next value of rand().
int RandomRange(int lo, int hi);

// The mapping RandomRange applies to one generator output r in 0 to 32767.
int ScaleRandom(int r, int lo, int hi);
