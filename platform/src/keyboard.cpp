#include "keyboard.h"

#include <windows.h>

namespace {
bool gKeyDown[256];

bool IsValidKey(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256;
}
}  // namespace

void PlatformSetKey(int virtualKey, bool down) {
    if (IsValidKey(virtualKey)) {
        gKeyDown[virtualKey] = down;
    }
}

bool PlatformIsKeyDown(int virtualKey) {
    return IsValidKey(virtualKey) && gKeyDown[virtualKey];
}

void PlatformReleaseAllKeys() {
    for (bool& key : gKeyDown) {
        key = false;
    }
}

SHORT GetAsyncKeyState(int virtualKey) {
    return PlatformIsKeyDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}
