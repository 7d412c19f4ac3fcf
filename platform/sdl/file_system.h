// The few file-system calls whose form differs between systems, for the settings file and the
// screenshots' folders. Paths are UTF-8 with '/' between folders on every system.
//
// One file per system beside this header supplies them (file_system_posix.cpp,
// file_system_windows.cpp).
#pragma once

#include <cstddef>

// Makes the one folder `path` (its parent must exist) for the user alone, or for everyone to
// read when `shared`; true when it exists as a folder afterwards, made now or before.
bool MakeFolder(const char* path, bool shared);

// True when `path` is a folder the program may write into.
bool IsWritableFolder(const char* path);

// True when anything exists at `path`.
bool PathExists(const char* path);

// Writes `size` bytes of `text` to `pending`, makes them durable, and puts that file in the
// place of `path` in one step, so a reader finds the old file or the new one, never a part.
// On failure no `pending` is left behind and the old file is untouched.
bool ReplaceFileWith(const char* path, const char* pending, const char* text, size_t size);
