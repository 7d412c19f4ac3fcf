#include "web_keys.h"

#include <cstdlib>
#include <cstring>

#include <windows.h>

namespace {

struct NamedKey {
    const char* code;
    int virtualKey;
};

constexpr NamedKey kNamedKeys[] = {
    {"ArrowLeft", VK_LEFT}, {"ArrowRight", VK_RIGHT},   {"ArrowUp", VK_UP},
    {"ArrowDown", VK_DOWN}, {"Space", VK_SPACE},        {"Escape", VK_ESCAPE},
    {"Enter", VK_RETURN},   {"NumpadEnter", VK_RETURN}, {"AltLeft", VK_MENU},
    {"AltRight", VK_MENU},
};

// "F1" to "F12": VK_F1 (0x70) onwards.
int FunctionKey(const char* code) {
    if (code[0] != 'F' || code[1] < '1' || code[1] > '9') {
        return 0;
    }
    char* end = nullptr;
    const long number = std::strtol(code + 1, &end, 10);
    return *end == '\0' && number >= 1 && number <= 12 ? 0x70 + static_cast<int>(number - 1) : 0;
}

}  // namespace

int VirtualKeyFromCode(const char* code) {
    if (code == nullptr) {
        return 0;
    }
    // "KeyA".."KeyZ" and "Digit0".."Digit9" are their letters' and digits' own codes.
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0') {
        return code[3];
    }
    if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' &&
        code[6] == '\0') {
        return code[5];
    }
    if (int key = FunctionKey(code)) {
        return key;
    }
    for (const NamedKey& named : kNamedKeys) {
        if (std::strcmp(code, named.code) == 0) {
            return named.virtualKey;
        }
    }
    return 0;
}
