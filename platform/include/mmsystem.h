// The multimedia timer, for systems without Windows.
#pragma once

#include <windows.h>

// Milliseconds on the same time base as GetTickCount.
DWORD timeGetTime(void);
