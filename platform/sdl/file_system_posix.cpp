#include "file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

bool WriteAll(int file, const char* text, size_t size) {
    while (size > 0) {
        const ssize_t written = write(file, text, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        text += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

bool MakeFolder(const char* path, bool shared) {
    return mkdir(path, shared ? 0755 : 0700) == 0 || errno == EEXIST;
}

bool IsWritableFolder(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode) && access(path, W_OK) == 0;
}

bool PathExists(const char* path) {
    return access(path, F_OK) == 0;
}

bool ReplaceFileWith(const char* path, const char* pending, const char* text, size_t size) {
    const int file = open(pending, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (file < 0) {
        return false;
    }
    const bool written = WriteAll(file, text, size) && fsync(file) == 0;
    if (close(file) != 0 || !written || rename(pending, path) != 0) {
        const int why = errno;  // for the caller, not unlink's
        unlink(pending);
        errno = why;
        return false;
    }
    return true;
}
