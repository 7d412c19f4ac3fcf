#include "file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

int OpenRegularFile(const char* path, uint64_t* size) {
    int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return -1;
    }
    struct stat status;
    if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(file);
        return -1;
    }
    if (size != nullptr) {
        *size = static_cast<uint64_t>(status.st_size);
    }
    return file;
}

long long ReadFully(int file, void* buffer, size_t bytes) {
    size_t total = 0;
    while (total < bytes) {
        ssize_t got = read(file, static_cast<char*>(buffer) + total, bytes - total);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<size_t>(got);
    }
    return static_cast<long long>(total);
}
