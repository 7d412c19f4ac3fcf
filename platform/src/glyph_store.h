// Rendered glyph images kept for a system-font rasteriser, in storage made once.
//
// Every realised font's glyphs share one open-addressed table and one image buffer; a font is
// named by a number its rasteriser gives each realisation. When either fills up, all glyphs
// go and are rendered again as they are asked for, so nothing is taken from the heap.
#pragma once

#include <cstddef>
#include <cstdint>

#include "font_rasterizer.h"

class GlyphStore {
public:
    static constexpr uint32_t kSlots = 2048;  // a power of two, at most three quarters used
    // A "Game Over" at 128 pixels and a score at 64 take about a tenth of it.
    static constexpr size_t kInkBytes = size_t{2} << 20;
    // Their runs (CachedGlyph::runs) take far fewer entries than their images take bytes.
    static constexpr size_t kRunEntries = kInkBytes / 4;

    // The kept glyph, or null.
    const CachedGlyph* Find(uint32_t font, uint32_t codePoint) const;

    // Keeps a copy of `rendered`, its image included. An image larger than the whole buffer is
    // kept as an empty one with its advance.
    const CachedGlyph& Add(uint32_t font, uint32_t codePoint, const CachedGlyph& rendered);

private:
    struct Entry {
        bool used = false;
        uint32_t font = 0;
        uint32_t codePoint = 0;
        CachedGlyph glyph;
    };

    uint32_t SlotFor(uint32_t font, uint32_t codePoint) const;
    void KeepRuns(CachedGlyph* glyph);
    void Clear();

    Entry entries_[kSlots];
    uint32_t count_ = 0;
    uint8_t ink_[kInkBytes];
    size_t inkUsed_ = 0;
    uint16_t runs_[kRunEntries];
    size_t runsUsed_ = 0;
};
