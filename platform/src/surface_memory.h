// A surface's pixels, with two facts about each row that let a frame which draws the picture
// already on screen skip most of its memory work (at the title that is every frame):
// - the one value a row holds across the surface's width, where known, so that filling the row
//   with that value again writes nothing;
// - whether a row was written since the memory last held the picture on screen, so that the
//   check for an unchanged picture compares only the rows written.
// Whatever writes the pixels says which rows it wrote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class SurfaceMemory {
public:
    // All zero. Throws std::bad_alloc when the memory cannot be had.
    SurfaceMemory(int width, int pitch, int height);

    const uint8_t* data() const { return pixels_.data(); }

    // Pixels to write: the caller says which rows it writes, before or after writing them.
    uint8_t* Writable() { return pixels_.data(); }
    void Wrote(int top, int bottom);  // rows [top, bottom)
    void WroteAll() { Wrote(0, height_); }

    // Columns [left, right) of rows [top, bottom) take `value`.
    void Fill(int left, int top, int right, int bottom, uint8_t value);
    void Clear();  // all zero again

    // One flag a row, nonzero for a row written since the memory last held the picture that
    // `shownPicture` numbers; null when it never held that picture, and every row may differ.
    const uint8_t* RowsWrittenSince(uint64_t shownPicture) const;
    // The memory holds the picture `shownPicture` numbers, every row of it.
    void Holds(uint64_t shownPicture);

    void swap(SurfaceMemory& other) noexcept;

private:
    static constexpr int16_t kMixedRow = -1;

    int width_;
    int pitch_;
    int height_;
    std::vector<uint8_t> pixels_;
    std::vector<int16_t> rowValues_;  // per row: the value of all its pixels, or kMixedRow
    std::vector<uint8_t> rowsWritten_;
    uint64_t heldPicture_ = 0;  // 0: none known
};
