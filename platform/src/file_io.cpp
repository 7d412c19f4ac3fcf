#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <windows.h>

#include "fault_injection.h"

// Only regular files open: a directory or device would read as nonsense or never end.
HFILE _lopen(LPCSTR path, int readWrite) {
    if (path == nullptr || readWrite != OF_READ ||
        PlatformInjectedFault(PlatformOp::OpenFile) != 0) {
        return HFILE_ERROR;
    }
    int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return HFILE_ERROR;
    }
    struct stat status;
    if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(file);
        return HFILE_ERROR;
    }
    return file;
}

UINT _lread(HFILE file, LPVOID buffer, UINT bytes) {
    if (file < 0 || (buffer == nullptr && bytes > 0)) {
        return static_cast<UINT>(HFILE_ERROR);
    }
    UINT total = 0;
    while (total < bytes) {
        ssize_t got = read(file, static_cast<char*>(buffer) + total, bytes - total);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return static_cast<UINT>(HFILE_ERROR);
        }
        if (got == 0) {
            break;
        }
        total += static_cast<UINT>(got);
    }
    return total;
}

HFILE _lclose(HFILE file) {
    if (file < 0 || close(file) != 0) {
        return HFILE_ERROR;
    }
    return 0;
}
