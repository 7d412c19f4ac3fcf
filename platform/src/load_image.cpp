#include <unistd.h>

#include <new>
#include <vector>

#include <windows.h>

#include "dib_parse.h"
#include "fault_injection.h"
#include "file_reader.h"
#include "resources.h"

namespace {

// A 16384 x 16384 8-bit picture with its headers; anything longer is not a bitmap we load.
constexpr uint64_t kMaxBitmapFileSize = uint64_t{16384} * 16384 + 2048;

// The whole file, or false when it is not a readable regular file of a sane size. A file
// that shrank while it was read gives what is there.
bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes) {
    uint64_t size = 0;
    int file = OpenRegularFile(path, &size);
    if (file < 0) {
        return false;
    }
    bool ok = size <= kMaxBitmapFileSize;
    if (ok) {
        try {
            bytes->resize(static_cast<size_t>(size));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    if (ok) {
        long long got = ReadFully(file, bytes->data(), bytes->size());
        ok = got >= 0;
        bytes->resize(ok ? static_cast<size_t>(got) : 0);
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
