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
// Modules and resources. The only module is the program itself; its resources are the bitmaps
// embedded at build time (cmake/EmbedResources.cmake). LockResource gives the raw bytes.
HMODULE GetModuleHandleA(LPCSTR moduleName);
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL loaded);
DWORD SizeofResource(HMODULE module, HRSRC resource);

// Files, read-only: _lopen answers HFILE_ERROR when the file cannot be opened for reading;
// _lread returns the bytes read (fewer at the end of the file) or HFILE_ERROR.
#define OF_READ 0x0
#define HFILE_ERROR ((HFILE)-1)
HFILE _lopen(LPCSTR path, int readWrite);
UINT _lread(HFILE file, LPVOID buffer, UINT bytes);
HFILE _lclose(HFILE file);
