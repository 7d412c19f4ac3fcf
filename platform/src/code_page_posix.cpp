#include "code_page.h"
#include "code_page_decode.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

#include <wingdi.h>

namespace {

// One descriptor per direction, closed when the program ends.
class Converters {
public:
    ~Converters() {
        for (iconv_t& descriptor : descriptors_) {
            if (descriptor != kNone && descriptor != kUnavailable) {
                iconv_close(descriptor);
            }
            descriptor = kNone;
        }
    }

    // Null when the system's iconv lacks the code page.
    iconv_t Get(BYTE charset, bool toUtf8) {
        const bool japanese = charset == SHIFTJIS_CHARSET;
        iconv_t& descriptor = descriptors_[(japanese ? 2 : 0) + (toUtf8 ? 1 : 0)];
        if (descriptor == kNone) {
            const char* from = japanese ? "CP932" : "CP1252";
            descriptor = iconv_open(toUtf8 ? "UTF-8" : "UTF-32LE", from);
            if (descriptor == kUnavailable && japanese) {
                descriptor = iconv_open(toUtf8 ? "UTF-8" : "UTF-32LE", "SHIFT_JIS");
            }
        }
        if (descriptor == kUnavailable) {
            return nullptr;
        }
        iconv(descriptor, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        return descriptor;
    }

private:
    static inline const iconv_t kNone = nullptr;
    static inline const iconv_t kUnavailable = reinterpret_cast<iconv_t>(-1);
    iconv_t descriptors_[4] = {kNone, kNone, kNone, kNone};
};

Converters gConverters;

}  // namespace

size_t CodePageToUtf8(BYTE charset, const char* text, char* out, size_t outSize) {
    if (outSize == 0) {
        return 0;
    }
    size_t length = std::strlen(text);
    bool ascii = true;
    for (size_t i = 0; i < length; ++i) {
        ascii = ascii && static_cast<unsigned char>(text[i]) < 0x80;
    }
    if (ascii) {
        const size_t copied = length < outSize - 1 ? length : outSize - 1;
        std::memcpy(out, text, copied);
        out[copied] = '\0';
        return copied;
    }
    iconv_t converter = gConverters.Get(charset, true);
    if (converter == nullptr) {
        out[0] = '\0';
        return 0;
    }
    char* input = const_cast<char*>(text);
    char* output = out;
    size_t outputLeft = outSize - 1;
    // On an unknown sequence or a full buffer iconv stops there; what it wrote stands.
    iconv(converter, &input, &length, &output, &outputLeft);
    *output = '\0';
    return static_cast<size_t>(output - out);
}

uint32_t DecodeCharacter(BYTE charset, const char* text, int bytes) {
    iconv_t converter = gConverters.Get(charset, false);
    if (converter == nullptr) {
        return kUnmappedCharacter;
    }
    char* input = const_cast<char*>(text);
    size_t inputLeft = static_cast<size_t>(bytes);
    unsigned char decoded[8];
    char* output = reinterpret_cast<char*>(decoded);
    size_t outputLeft = sizeof decoded;
    if (iconv(converter, &input, &inputLeft, &output, &outputLeft) == static_cast<size_t>(-1) ||
        outputLeft != sizeof decoded - 4) {
        return kUnmappedCharacter;
    }
    return decoded[0] | decoded[1] << 8 | decoded[2] << 16 |
           static_cast<uint32_t>(decoded[3]) << 24;
}
