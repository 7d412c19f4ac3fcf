// Copies onto the back buffer, presenting it, and repairing lost surfaces.
//
// FlipPrimary is called once per frame by the frame driver to present the back buffer.
#pragma once

#include <windows.h>

// Presents the back buffer. Returns 0, or the flip's (or the primary's restore's) code.
HRESULT FlipPrimary();
