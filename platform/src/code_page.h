// The 8-bit code pages of GDI's "A" text: code page 932 (Shift-JIS) for SHIFTJIS_CHARSET
// fonts, code page 1252 for every other character set.
//
// The font cache converts face names with CodePageToUtf8 once per font description; TextOutA
// decodes its text with NextCharacter on every call. Both use iconv descriptors opened on first
// use and kept, and allocate nothing after that; ASCII never reaches iconv.
#pragma once

#include <cstddef>
#include <cstdint>

#include <windef.h>

// Converts the zero-terminated `text` to UTF-8 into `out` (always terminated). Stops at the
// first byte sequence the code page does not know; returns the bytes written before the
// terminator.
size_t CodePageToUtf8(BYTE charset, const char* text, char* out, size_t outSize);

// Decodes the character at the start of `text` (of `length` > 0 bytes): its Unicode code point
// and how many bytes it took (1 or 2). A lead byte without a valid trail byte after it takes its
// one byte and gives U+FFFD; so does any other sequence the code page does not map.
uint32_t NextCharacter(BYTE charset, const char* text, int length, int* used);
