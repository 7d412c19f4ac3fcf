// The glyph store behind the browser's rasteriser: it keeps its own copy of each image, tells
// fonts and code points apart, and when its table or its image buffer fills it starts over
// instead of taking memory.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/src/glyph_store.h"

namespace {

CachedGlyph Rendered(const std::vector<uint8_t>& ink, int width, int height, int advance) {
    return CachedGlyph{1, height, width, height, advance, ink.data()};
}

TEST(GlyphStore, KeepsItsOwnCopyForEachFontAndCodePoint) {
    auto store = std::make_unique<GlyphStore>();
    std::vector<uint8_t> ink = {1, 0, 0, 1};
    store->Add(1, 'A', Rendered(ink, 2, 2, 640));
    ink = {0, 1, 1, 0};  // the rasteriser's scratch image is reused
    store->Add(2, 'A', Rendered(ink, 2, 2, 576));

    const CachedGlyph* first = store->Find(1, 'A');
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->advance, 640);
    EXPECT_EQ(std::vector<uint8_t>(first->ink, first->ink + 4), (std::vector<uint8_t>{1, 0, 0, 1}));
    EXPECT_EQ(store->Find(2, 'A')->advance, 576);
    EXPECT_EQ(store->Find(1, 'B'), nullptr);
    EXPECT_EQ(store->Find(3, 'A'), nullptr);
}

// Runs at either edge, an empty row, a full one; and a glyph too wide for them keeps its image.
TEST(GlyphStore, KeepsEachRowOfInkAsRuns) {
    auto store = std::make_unique<GlyphStore>();
    std::vector<uint8_t> ink = {0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1};
    const CachedGlyph& kept = store->Add(1, 'A', Rendered(ink, 4, 3, 320));
    ASSERT_NE(kept.runs, nullptr);
    EXPECT_EQ(std::vector<uint16_t>(kept.runs, kept.runs + 9),
              (std::vector<uint16_t>{0, 2, 0, 2, 3, 1, 1, 0, 4}));

    std::vector<uint8_t> wide(UINT16_MAX + 1, 1);
    const CachedGlyph& wideKept =
        store->Add(1, 'W', Rendered(wide, static_cast<int>(wide.size()), 1, 64));
    EXPECT_EQ(wideKept.runs, nullptr);
    EXPECT_EQ(wideKept.ink[UINT16_MAX], 1);
}

TEST(GlyphStore, AFullTableStartsOverAndKeepsWorking) {
    auto store = std::make_unique<GlyphStore>();
    std::vector<uint8_t> ink = {1};
    for (uint32_t codePoint = 0; codePoint < GlyphStore::kSlots; ++codePoint) {
        const CachedGlyph& kept = store->Add(1, codePoint, Rendered(ink, 1, 1, 64));
        ASSERT_EQ(store->Find(1, codePoint), &kept) << codePoint;
    }
    EXPECT_EQ(store->Find(1, 0), nullptr);  // dropped when the table filled
}

TEST(GlyphStore, AFullImageBufferStartsOverAndAnOversizedImageKeepsItsAdvance) {
    auto store = std::make_unique<GlyphStore>();
    const int side = 1024;  // a quarter of the buffer; the fifth such image starts over
    std::vector<uint8_t> ink(side * side, 1);
    for (uint32_t codePoint = 0; codePoint < 5; ++codePoint) {
        store->Add(1, codePoint, Rendered(ink, side, side, 64));
    }
    EXPECT_EQ(store->Find(1, 0), nullptr);
    ASSERT_NE(store->Find(1, 4), nullptr);
    EXPECT_EQ(store->Find(1, 4)->ink[side * side - 1], 1);

    std::vector<uint8_t> huge(GlyphStore::kInkBytes + 1, 1);
    const CachedGlyph& kept =
        store->Add(1, 'W', Rendered(huge, static_cast<int>(huge.size()), 1, 1280));
    EXPECT_EQ(kept.width * kept.height, 0);
    EXPECT_EQ(kept.advance, 1280);
}

}  // namespace
