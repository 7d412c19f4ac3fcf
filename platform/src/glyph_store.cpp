#include "glyph_store.h"

#include <cstring>

const CachedGlyph* GlyphStore::Find(uint32_t font, uint32_t codePoint) const {
    const Entry& entry = entries_[SlotFor(font, codePoint)];
    return entry.used ? &entry.glyph : nullptr;
}

const CachedGlyph& GlyphStore::Add(uint32_t font, uint32_t codePoint, const CachedGlyph& rendered) {
    if (count_ >= kSlots / 4 * 3) {
        Clear();
    }
    CachedGlyph glyph = rendered;
    const size_t bytes = static_cast<size_t>(glyph.width) * glyph.height;
    if (bytes > kInkBytes - inkUsed_) {
        Clear();
    }
    if (bytes <= kInkBytes - inkUsed_ && rendered.ink != nullptr) {
        std::memcpy(ink_ + inkUsed_, rendered.ink, bytes);
        glyph.ink = ink_ + inkUsed_;
        inkUsed_ += bytes;
    } else {
        glyph.width = 0;
        glyph.height = 0;
        glyph.ink = nullptr;
    }
    Entry& entry = entries_[SlotFor(font, codePoint)];
    entry = Entry{true, font, codePoint, glyph};
    ++count_;
    return entry.glyph;
}

// The entry holding the glyph, or the free one where it belongs.
uint32_t GlyphStore::SlotFor(uint32_t font, uint32_t codePoint) const {
    uint32_t slot = (font * 0x9E3779B1u ^ codePoint * 0x85EBCA6Bu) & (kSlots - 1);
    while (entries_[slot].used &&
           (entries_[slot].font != font || entries_[slot].codePoint != codePoint)) {
        slot = (slot + 1) & (kSlots - 1);
    }
    return slot;
}

void GlyphStore::Clear() {
    for (Entry& entry : entries_) {
        entry.used = false;
    }
    count_ = 0;
    inkUsed_ = 0;
}
