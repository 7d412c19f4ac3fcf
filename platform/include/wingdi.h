// GDI services: bitmaps, device contexts, pixels and text.
#pragma once

#include <windef.h>
