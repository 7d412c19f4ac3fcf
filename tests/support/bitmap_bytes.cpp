#include "support/bitmap_bytes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>

#include <unistd.h>

#include "../../platform/src/resources.h"

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

std::vector<uint8_t> MakeDib(const DibSpec& spec) {
    std::vector<uint8_t> out(spec.headerSize, 0);
    Put32(out, 0, spec.headerSize);
    Put32(out, 4, static_cast<uint32_t>(spec.width));
    Put32(out, 8, static_cast<uint32_t>(spec.height));
    Put16(out, 12, 1);
    Put16(out, 14, static_cast<uint16_t>(spec.bitCount));
    Put32(out, 32, spec.coloursUsed);
    for (const RGBQUAD& colour : spec.colours) {
        out.insert(out.end(), {colour.rgbBlue, colour.rgbGreen, colour.rgbRed, colour.rgbReserved});
    }
    if (spec.rows.empty()) {
        const int rows = spec.height < 0 ? -spec.height : spec.height;
        const size_t stride = ((static_cast<size_t>(spec.width) * spec.bitCount + 31) / 32) * 4;
        out.resize(out.size() + stride * rows, 0);
    } else {
        out.insert(out.end(), spec.rows.begin(), spec.rows.end());
    }
    return out;
}

std::vector<uint8_t> MakeBmpFile(const DibSpec& spec) {
    std::vector<uint8_t> dib = MakeDib(spec);
    std::vector<uint8_t> out(14 + dib.size(), 0);
    std::memcpy(out.data() + 14, dib.data(), dib.size());
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(14 + dib.size()));
    Put32(out, 10, static_cast<uint32_t>(14 + spec.headerSize + spec.colours.size() * 4));
    return out;
}

DibSpec IndexedDib(int width, int height, const std::vector<RGBQUAD>& colours,
                   const std::vector<uint8_t>& indices) {
    DibSpec spec;
    spec.width = width;
    spec.height = height;
    spec.colours = colours;
    spec.colours.resize(256);
    const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
    spec.rows.assign(stride * height, 0);
    for (int y = 0; y < height; ++y) {
        // Stored bottom row first.
        std::memcpy(spec.rows.data() + (height - 1 - y) * stride, indices.data() + y * width,
                    width);
    }
    return spec;
}

void RegisterTestResource(const std::string& name, std::vector<uint8_t> bytes) {
    OwnedResource& owned = gResources.emplace_back();
    owned.name = name;
    owned.bytes = std::move(bytes);
    owned.resource = PlatformResource{owned.name.c_str(), owned.bytes.data(), owned.bytes.size(),
                                      false, nullptr};
    PlatformRegisterResource(&owned.resource);
}

std::string WriteTempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const char* folder = std::getenv("TMPDIR");
    std::string path = std::string(folder != nullptr ? folder : "/tmp") + "/zephyx-test-" +
                       std::to_string(getpid()) + "-" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}
