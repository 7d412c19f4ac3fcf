#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <vector>

#include <windows.h>

#include "dib_parse.h"
#include "fault_injection.h"
#include "resources.h"

namespace {

// A 16384 x 16384 8-bit picture with its headers; anything longer is not a bitmap we load.
constexpr off_t kMaxBitmapFileSize = off_t{16384} * 16384 + 2048;

// The whole file, or false when it is not a readable regular file of a sane size.
bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes) {
    int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return false;
    }
    struct stat status;
    bool ok = fstat(file, &status) == 0 && S_ISREG(status.st_mode) &&
              status.st_size <= kMaxBitmapFileSize;
    if (ok) {
        try {
            bytes->resize(static_cast<size_t>(status.st_size));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    size_t total = 0;
    while (ok && total < bytes->size()) {
        ssize_t got = read(file, bytes->data() + total, bytes->size() - total);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            bytes->resize(total);  // the file shrank: parse what is there
            break;
        }
        total += static_cast<size_t>(got);
    }
    close(file);
    return ok;
}

}  // namespace

// The bitmap keeps its own colour table, with or without LR_CREATEDIBSECTION: colours are
// matched to the display palette only when it is drawn into a surface.
HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int width, int height, UINT flags) {
    if (type != IMAGE_BITMAP || name == nullptr || width < 0 || height < 0) {
        return nullptr;
    }
    if (PlatformInjectedFault(PlatformOp::LoadImageA) != 0) {
        return nullptr;
    }
    DibView view;
    if (flags & LR_LOADFROMFILE) {
        if (IS_INTRESOURCE(name)) {
            return nullptr;
        }
        std::vector<uint8_t> bytes;
        if (!ReadWholeFile(name, &bytes) ||
            !ParseDib(bytes.data(), bytes.size(), DibSource::File, &view)) {
            return nullptr;
        }
        return BuildBitmap(view, width, height);
    }
    const PlatformResource* resource = PlatformFindResource(name);
    if (resource == nullptr ||
        !ParseDib(resource->bytes, resource->size, DibSource::Resource, &view)) {
        return nullptr;
    }
    return BuildBitmap(view, width, height);
}
