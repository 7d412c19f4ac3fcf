#include "changed_rows.h"

#include <cstddef>
#include <cstring>

void ChangedRows::Resize(int width, int height) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    last_.assign(static_cast<size_t>(width_) * height_, 0);
    bands_.clear();
    bands_.reserve(static_cast<size_t>(height_));
    whole_ = true;
}

const std::vector<RowBand>& ChangedRows::Take(const uint8_t* pixels, int pitch,
                                              const BackendColor palette[256]) {
    if (std::memcmp(palette, lastPalette_.data(), sizeof lastPalette_) != 0) {
        std::memcpy(lastPalette_.data(), palette, sizeof lastPalette_);
        whole_ = true;
    }
    bands_.clear();
    const size_t rowBytes = static_cast<size_t>(width_);
    for (int y = 0; y < height_; ++y) {
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t* last = last_.data() + y * rowBytes;
        if (whole_ || std::memcmp(row, last, rowBytes) != 0) {
            std::memcpy(last, row, rowBytes);
            AddRow(y);
        }
    }
    whole_ = false;
    return bands_;
}

void ChangedRows::AddRow(int y) {
    if (!bands_.empty() && y - bands_.back().bottom < kRowsJoined) {
        bands_.back().bottom = y + 1;
    } else {
        bands_.push_back(RowBand{y, y + 1});
    }
}
