// Kernel services: clock, sleeping, debugger output, modules, resources and files.
#pragma once

#include <windef.h>

// One monotonic millisecond count, shared with timeGetTime, wrapping modulo 2^32.
DWORD GetTickCount(void);
void Sleep(DWORD milliseconds);

// Writes the text unchanged to standard error.
void OutputDebugStringA(LPCSTR text);

#include <cstring>
#define ZeroMemory(destination, length) memset((destination), 0, (length))
