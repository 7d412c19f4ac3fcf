// The system-font rasteriser of the native backends (font_rasterizer.h), with FreeType and
// fontconfig.
//
// A font description is realised once: its face name (in its character set's code page) goes
// through fontconfig, preferring a Japanese serif face when the name is unknown, and FreeType
// opens the file at the description's height. Glyphs are rendered without grey levels on first
// use into fixed storage and kept. Realised fonts and glyphs live until the program ends (the
// least recently used realisation makes room when too many sizes are in use; all glyphs are
// dropped when their storage is full), so drawing text that was drawn before allocates nothing,
// and the cache's own storage is never taken from the heap.
#pragma once

#include "font_rasterizer.h"

// Where the last-resort face is looked for; tests point it elsewhere to see a machine without
// it. Takes effect for fonts realised afterwards.
void FontCacheSetFallbackFile(const char* path);
