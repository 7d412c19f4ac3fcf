// DirectDraw 7, for systems without Windows.
#pragma once

#include <windows.h>

#define DD_OK S_OK
