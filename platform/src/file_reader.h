// The one way the platform reads files: regular files only, read to the end or the error.
//
// Bitmap files reach the game through _lopen/_lread (the palette) and LoadImageA (the
// pixels); both refuse a directory or device, which would read as nonsense or never end.
#pragma once

#include <cstddef>
#include <cstdint>

// An open descriptor on `path`, or -1 when it cannot be opened or is not a regular file.
// `size`, when given, receives the file's size at opening.
int OpenRegularFile(const char* path, uint64_t* size = nullptr);

// Reads until `bytes` are in, the file ends, or an error; interrupted reads are resumed.
// Returns the number read, or -1 on an error.
long long ReadFully(int file, void* buffer, size_t bytes);
