// Compiled against the real Windows headers; the program runs with UTF-8 as its ANSI code page
// (its manifest says so), so the "A" calls take the UTF-8 paths as they are.
#include <windows.h>

#include "file_system.h"

namespace {

bool IsFolder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool MakeFolder(const char* path, bool) {
    // A drive ("C:") is there but cannot be made.
    return IsFolder(path) || CreateDirectoryA(path, nullptr) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

bool IsWritableFolder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool PathExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool ReplaceFileWith(const char* path, const char* pending, const char* text, size_t size) {
    HANDLE file = CreateFileA(pending, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool whole = WriteFile(file, text, static_cast<DWORD>(size), &written, nullptr) &&
                       written == size && FlushFileBuffers(file);
    const bool closed = CloseHandle(file);
    if (!whole || !closed ||
        !MoveFileExA(pending, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(pending);
        return false;
    }
    return true;
}
