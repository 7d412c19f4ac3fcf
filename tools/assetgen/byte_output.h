// Little-endian fields into a byte buffer, and a buffer into a file: what the bitmap and icon
// writers share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

// Writes `bytes` to `path`; says on standard error when it cannot.
bool WriteBytesToFile(const std::string& path, const std::vector<uint8_t>& bytes);
