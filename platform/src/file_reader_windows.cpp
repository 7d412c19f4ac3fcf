// The C runtime's descriptors, opened in binary mode: Windows would otherwise translate bytes.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>

#include "file_reader.h"

int OpenRegularFile(const char* path, uint64_t* size) {
    const int file = _open(path, _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (file < 0) {
        return -1;
    }
    struct _stat64 status;
    if (_fstat64(file, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
        _close(file);
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
        // The runtime reads at most an unsigned int's worth at a time.
        const size_t chunk = bytes - total < 0x40000000u ? bytes - total : 0x40000000u;
        const int got =
            _read(file, static_cast<char*>(buffer) + total, static_cast<unsigned>(chunk));
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
