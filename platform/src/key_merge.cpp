#include "key_merge.h"

bool KeyMerge::Set(int source, int virtualKey, bool down) {
    if (!Valid(source, virtualKey)) {
        return false;
    }
    uint32_t& holders = holders_[virtualKey];
    bool wasDown = holders != 0;
    holders = down ? holders | Bit(source) : holders & ~Bit(source);
    return wasDown != (holders != 0);
}

bool KeyMerge::IsDown(int virtualKey) const {
    return virtualKey >= 0 && virtualKey < kKeys && holders_[virtualKey] != 0;
}

void KeyMerge::ReleaseAll() {
    for (uint32_t& holders : holders_) {
        holders = 0;
    }
}
