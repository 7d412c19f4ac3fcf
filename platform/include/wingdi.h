// GDI services: bitmaps, device contexts, pixels and text.
#pragma once

#include <windef.h>

#define WHITE_BRUSH 0

HGDIOBJ GetStockObject(int object);
