// Time stamps of every flip, for measuring the program's pacing and how soon a key shows.
//
// Off unless ZEPHYX_PRESENT_LOG names a file. Then every flip records when its picture reached
// the display server (just after the present returned) or, for a picture already on screen,
// when its turn had passed, with a hash of the picture's bottom band (where the ship is), so a
// measurement can tell which present first showed a key's effect. The records go to the file,
// one "P <microseconds> <hash>" or "U <microseconds> <hash>" line each on the monotonic clock,
// when the window closes. The buffer is made when the window opens, so recording allocates
// nothing while frames run.
#pragma once

#include <cstdint>

void PresentLogStart();
// A picture of palette indices was presented.
void PresentLogPresented(const uint8_t* pixels, int width, int height, int pitch);
// The picture on screen stayed.
void PresentLogUnchanged();
void PresentLogFinish();
