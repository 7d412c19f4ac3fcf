// How large the browser's text must be drawn to come out as GDI sizes it on Windows.
//
// The canvas measures a face by other tables than Windows does (for the Japanese serif face
// the set-up installs, Windows counts a larger descent), which made text about a tenth too
// large. Faces whose Windows ascent and descent are known here are sized by them; any other
// by the browser's own ascent and descent.
#pragma once

#include "../src/font_sizing.h"

// `browserAscent` and `browserDescent` per em, as the canvas measured `family`.
bool ScaleBrowserFace(const char* family, double browserAscent, double browserDescent, long height,
                      FontScale* scale);
