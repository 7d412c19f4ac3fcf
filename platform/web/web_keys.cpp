#include "web_keys.h"

#include <cstring>

#include <windows.h>

namespace {

struct NamedKey {
    const char* code;
    int virtualKey;
};

// The keys the game reads: steering, fire and start, and the two that quit.
constexpr NamedKey kGameKeys[] = {
    {"ArrowLeft", VK_LEFT}, {"ArrowRight", VK_RIGHT}, {"ArrowUp", VK_UP}, {"ArrowDown", VK_DOWN},
    {"Space", VK_SPACE},    {"Escape", VK_ESCAPE},    {"F12", VK_F12},
};

int VirtualKeyFromCode(const char* code) {
    if (code == nullptr) {
        return 0;
    }
    for (const NamedKey& named : kGameKeys) {
        if (std::strcmp(code, named.code) == 0) {
            return named.virtualKey;
        }
    }
    return 0;
}

}  // namespace

int GameKeyFromBrowserKey(const BrowserKey& key) {
    if (key.down && (key.ctrl || key.alt || key.meta)) {
        return 0;
    }
    return VirtualKeyFromCode(key.code);
}
