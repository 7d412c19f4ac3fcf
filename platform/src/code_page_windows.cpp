// The code pages through Windows' own conversions. Compiled against the real Windows headers.
#include <windows.h>

#include <cstring>

#include "code_page.h"
#include "code_page_decode.h"

namespace {

constexpr UINT kJapanese = 932;
constexpr UINT kWestern = 1252;

UINT CodePageOf(BYTE charset) {
    return charset == SHIFTJIS_CHARSET ? kJapanese : kWestern;
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

uint32_t DecodeCharacter(BYTE charset, const char* text, int bytes) {
    wchar_t decoded[2];
    const int count =
        MultiByteToWideChar(CodePageOf(charset), MB_ERR_INVALID_CHARS, text, bytes, decoded, 2);
    return count == 1 ? decoded[0] : kUnmappedCharacter;
}
