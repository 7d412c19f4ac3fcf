// Small bitmaps built in memory for tests of the bitmap loaders: resource bytes (header, colour
// table, pixels), whole BMP files, and resources registered under a name for the test program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

struct DibLayout {
    int width = 4;
    int height = 2;  // negative: rows stored top-down
    int bitCount = 8;
    DWORD headerSize = 40;
    DWORD coloursUsed = 0;
    std::vector<RGBQUAD> colours;  // written as given, whatever the header says
    std::vector<uint8_t> rows;     // the stored rows, padding included; zeros when empty
};

// Header, colour table and pixels, as a resource holds them.
std::vector<uint8_t> MakeDib(const DibLayout& layout);

// The same behind a 14-byte file header whose offset points at the pixels.
std::vector<uint8_t> MakeBmpFile(const DibLayout& layout);

// An 8-bit bitmap whose pixel (x, y), top row first, is `indices[y * width + x]`.
DibLayout IndexedDib(int width, int height, const std::vector<RGBQUAD>& colours,
                     const std::vector<uint8_t>& indices);

// Registers `bytes` as resource `name` for the rest of the test program (a later registration
// of the same name takes its place).
void RegisterTestResource(const std::string& name, std::vector<uint8_t> bytes);

// `bytes` as a file in the test's temporary folder, removed when the object goes, however the
// test ends.
struct TempFile {
    TempFile(const std::string& name, const std::vector<uint8_t>& bytes);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string path;
};
