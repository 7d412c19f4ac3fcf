#include "support/bitmap_bytes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>

#include <unistd.h>

#include "platform/src/resources.h"

namespace {

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

void Put16(std::vector<uint8_t>& out, size_t at, uint16_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

struct OwnedResource {
    std::string name;
    std::vector<uint8_t> bytes;
    PlatformResource resource;
};
std::list<OwnedResource> gResources;

}  // namespace

std::vector<uint8_t> MakeDib(const DibLayout& layout) {
    std::vector<uint8_t> out(layout.headerSize, 0);
    Put32(out, 0, layout.headerSize);
    Put32(out, 4, static_cast<uint32_t>(layout.width));
    Put32(out, 8, static_cast<uint32_t>(layout.height));
    Put16(out, 12, 1);
    Put16(out, 14, static_cast<uint16_t>(layout.bitCount));
    Put32(out, 32, layout.coloursUsed);
    for (const RGBQUAD& colour : layout.colours) {
        out.insert(out.end(), {colour.rgbBlue, colour.rgbGreen, colour.rgbRed, colour.rgbReserved});
    }
    if (layout.rows.empty()) {
        const int rows = layout.height < 0 ? -layout.height : layout.height;
        const size_t stride = ((static_cast<size_t>(layout.width) * layout.bitCount + 31) / 32) * 4;
        out.resize(out.size() + stride * rows, 0);
    } else {
        out.insert(out.end(), layout.rows.begin(), layout.rows.end());
    }
    return out;
}

std::vector<uint8_t> MakeBmpFile(const DibLayout& layout) {
    std::vector<uint8_t> dib = MakeDib(layout);
    std::vector<uint8_t> out(14 + dib.size(), 0);
    std::memcpy(out.data() + 14, dib.data(), dib.size());
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(14 + dib.size()));
    Put32(out, 10, static_cast<uint32_t>(14 + layout.headerSize + layout.colours.size() * 4));
    return out;
}

DibLayout IndexedDib(int width, int height, const std::vector<RGBQUAD>& colours,
                     const std::vector<uint8_t>& indices) {
    DibLayout layout;
    layout.width = width;
    layout.height = height;
    layout.colours = colours;
    layout.colours.resize(256);
    const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
    layout.rows.assign(stride * height, 0);
    for (int y = 0; y < height; ++y) {
        // Stored bottom row first.
        std::memcpy(layout.rows.data() + (height - 1 - y) * stride, indices.data() + y * width,
                    width);
    }
    return layout;
}

void RegisterTestResource(const std::string& name, std::vector<uint8_t> bytes) {
    OwnedResource& owned = gResources.emplace_back();
    owned.name = name;
    owned.bytes = std::move(bytes);
    owned.resource = PlatformResource{owned.name.c_str(), owned.bytes.data(), owned.bytes.size(),
                                      false, nullptr};
    PlatformRegisterResource(&owned.resource);
}

namespace {

std::string TempPath(const std::string& name) {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr ? folder : "/tmp") + "/zephyx-test-" +
           std::to_string(getpid()) + "-" + name;
}

}  // namespace

TempFile::TempFile(const std::string& name, const std::vector<uint8_t>& bytes)
    : path(TempPath(name)) {
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

TempFile::~TempFile() {
    std::remove(path.c_str());
}
