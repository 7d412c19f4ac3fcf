// The code pages through Windows' own conversions. Compiled against the real Windows headers.
#include <windows.h>

#include <cstring>

#include "code_page.h"

namespace {

constexpr uint32_t kReplacement = 0xFFFD;
constexpr UINT kJapanese = 932;
constexpr UINT kWestern = 1252;

UINT CodePageOf(BYTE charset) {
    return charset == SHIFTJIS_CHARSET ? kJapanese : kWestern;
}

bool IsLeadByte(BYTE charset, unsigned char byte) {
    return charset == SHIFTJIS_CHARSET &&
           ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

}  // namespace

size_t CodePageToUtf8(BYTE charset, const char* text, char* out, size_t outSize) {
    if (outSize == 0) {
        return 0;
    }
    out[0] = '\0';
    // Names of faces are short: a face name longer than this is not one.
    wchar_t wide[256];
    const int length = static_cast<int>(strnlen(text, 255));
    const int count =
        MultiByteToWideChar(CodePageOf(charset), MB_ERR_INVALID_CHARS, text, length, wide, 255);
    if (count <= 0) {
        return 0;
    }
    const int written = WideCharToMultiByte(CP_UTF8, 0, wide, count, out,
                                            static_cast<int>(outSize - 1), nullptr, nullptr);
    const size_t used = written > 0 ? static_cast<size_t>(written) : 0;
    out[used] = '\0';
    return used;
}

uint32_t NextCharacter(BYTE charset, const char* text, int length, int* used) {
    const unsigned char first = static_cast<unsigned char>(text[0]);
    *used = 1;
    if (first < 0x80) {
        return first;
    }
    if (IsLeadByte(charset, first)) {
        // A byte that cannot trail is left for the next character.
        const unsigned char second = length >= 2 ? static_cast<unsigned char>(text[1]) : 0;
        if (second < 0x40 || second == 0x7F || second > 0xFC) {
            return kReplacement;
        }
        *used = 2;
    }
    wchar_t decoded[2];
    const int count =
        MultiByteToWideChar(CodePageOf(charset), MB_ERR_INVALID_CHARS, text, *used, decoded, 2);
    return count == 1 ? decoded[0] : kReplacement;
}
