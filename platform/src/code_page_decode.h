// Each system's decoding of one character, which NextCharacter has framed: iconv elsewhere,
// Windows' own conversions on Windows.
#pragma once

#include <cstdint>

#include <windef.h>

// What a sequence the code page does not map decodes to.
constexpr uint32_t kUnmappedCharacter = 0xFFFD;

// The code point of the `bytes` (1 or 2) bytes at `text`, or kUnmappedCharacter.
uint32_t DecodeCharacter(BYTE charset, const char* text, int bytes);
