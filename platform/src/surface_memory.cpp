#include "surface_memory.h"

#include <algorithm>
#include <cstring>
#include <utility>

SurfaceMemory::SurfaceMemory(int width, int pitch, int height)
    : width_(width),
      pitch_(pitch),
      height_(height),
      pixels_(static_cast<size_t>(pitch) * static_cast<size_t>(height)),
      rowValues_(static_cast<size_t>(height), 0),
      rowsWritten_(static_cast<size_t>(height), 1) {}

void SurfaceMemory::Wrote(int top, int bottom) {
    std::fill(rowValues_.begin() + top, rowValues_.begin() + bottom, kMixedRow);
    std::fill(rowsWritten_.begin() + top, rowsWritten_.begin() + bottom, 1);
}

void SurfaceMemory::Fill(int left, int top, int right, int bottom, uint8_t value) {
    const bool wholeRows = left == 0 && right == width_;
    for (int y = top; y < bottom; ++y) {
        if (rowValues_[y] == value) {
            continue;  // the row holds the value already, and stays as it was
        }
        std::memset(pixels_.data() + static_cast<size_t>(y) * pitch_ + left, value,
                    static_cast<size_t>(right - left));
        rowValues_[y] = wholeRows ? value : kMixedRow;
        rowsWritten_[y] = 1;
    }
}

void SurfaceMemory::Clear() {
    std::fill(pixels_.begin(), pixels_.end(), uint8_t{0});
    std::fill(rowValues_.begin(), rowValues_.end(), int16_t{0});
    std::fill(rowsWritten_.begin(), rowsWritten_.end(), uint8_t{1});
}

const uint8_t* SurfaceMemory::RowsWrittenSince(uint64_t shownPicture) const {
    return heldPicture_ != 0 && heldPicture_ == shownPicture ? rowsWritten_.data() : nullptr;
}

void SurfaceMemory::Holds(uint64_t shownPicture) {
    heldPicture_ = shownPicture;
    std::fill(rowsWritten_.begin(), rowsWritten_.end(), uint8_t{0});
}

void SurfaceMemory::swap(SurfaceMemory& other) noexcept {
    std::swap(width_, other.width_);
    std::swap(pitch_, other.pitch_);
    std::swap(height_, other.height_);
    pixels_.swap(other.pixels_);
    rowValues_.swap(other.rowValues_);
    rowsWritten_.swap(other.rowsWritten_);
    std::swap(heldPicture_, other.heldPicture_);
}
