// What the code pages share on every system: which bytes make one character. Decoding it is
// each system's own (code_page_decode.h).
#include "code_page.h"

#include <wingdi.h>

#include "code_page_decode.h"

namespace {

bool IsLeadByte(BYTE charset, unsigned char byte) {
    return charset == SHIFTJIS_CHARSET &&
           ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

}  // namespace

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
            return kUnmappedCharacter;
        }
        *used = 2;
    }
    return DecodeCharacter(charset, text, *used);
}
