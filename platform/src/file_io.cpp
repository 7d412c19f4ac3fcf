#include <unistd.h>

#include <windows.h>

#include "fault_injection.h"
#include "file_reader.h"

HFILE _lopen(LPCSTR path, int readWrite) {
    if (path == nullptr || readWrite != OF_READ ||
        PlatformInjectedFault(PlatformOp::OpenFile) != 0) {
        return HFILE_ERROR;
    }
    int file = OpenRegularFile(path);
    return file < 0 ? HFILE_ERROR : file;
}

UINT _lread(HFILE file, LPVOID buffer, UINT bytes) {
    if (file < 0 || (buffer == nullptr && bytes > 0)) {
        return static_cast<UINT>(HFILE_ERROR);
    }
    long long got = ReadFully(file, buffer, bytes);
    return got < 0 ? static_cast<UINT>(HFILE_ERROR) : static_cast<UINT>(got);
}

HFILE _lclose(HFILE file) {
    if (file < 0 || close(file) != 0) {
        return HFILE_ERROR;
    }
    return 0;
}
