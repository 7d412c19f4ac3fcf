#include "glyph_store.h"

#include <cstring>

namespace {

// Entries the runs of `ink` take: a count for each row and two for each run.
size_t RunEntries(const uint8_t* ink, int width, int height) {
    size_t entries = static_cast<size_t>(height);
    for (int row = 0; row < height; ++row) {
        const uint8_t* line = ink + static_cast<size_t>(row) * width;
        for (int column = 0; column < width; ++column) {
            if (line[column] != 0 && (column == 0 || line[column - 1] == 0)) {
                entries += 2;
            }
        }
    }
    return entries;
}

void WriteRuns(const uint8_t* ink, int width, int height, uint16_t* runs) {
    for (int row = 0; row < height; ++row) {
        const uint8_t* line = ink + static_cast<size_t>(row) * width;
        uint16_t* count = runs++;
        *count = 0;
        for (int column = 0; column < width;) {
            if (line[column] == 0) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < width && line[column] != 0) {
                ++column;
            }
            *runs++ = static_cast<uint16_t>(start);
            *runs++ = static_cast<uint16_t>(column - start);
            ++*count;
        }
    }
}

constexpr int kLongestRun = UINT16_MAX;

}  // namespace

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
        KeepRuns(&glyph);
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

// A glyph whose runs do not fit what is left keeps only its image.
void GlyphStore::KeepRuns(CachedGlyph* glyph) {
    glyph->runs = nullptr;
    if (glyph->width > kLongestRun) {
        return;
    }
    const size_t entries = RunEntries(glyph->ink, glyph->width, glyph->height);
    if (entries <= kRunEntries - runsUsed_) {
        WriteRuns(glyph->ink, glyph->width, glyph->height, runs_ + runsUsed_);
        glyph->runs = runs_ + runsUsed_;
        runsUsed_ += entries;
    }
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
    runsUsed_ = 0;
}
