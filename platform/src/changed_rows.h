// The rows of a picture of palette indices whose colours differ from the picture seen before,
// in bands: rows whose indices differ, or every row when the palette does.
//
// A presenter that keeps the colours of the last picture it showed (a streaming texture, a
// canvas's pixels) converts and sends only these: in a game the background stands still, so
// most rows are left alone. Changed rows closer than kRowsJoined go as one band, since each
// send has a cost of its own. Nothing is allocated after Resize.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "backend.h"

struct RowBand {
    int top;     // the first row
    int bottom;  // one past the last
    bool operator==(const RowBand&) const = default;
};

class ChangedRows {
public:
    static constexpr int kRowsJoined = 16;

    // Pictures of width x height from now on; the next Take reports every row.
    void Resize(int width, int height);

    // The presenter no longer holds the last picture (its texture or canvas was lost): the
    // next Take reports every row.
    void Forget() { whole_ = true; }

    // The bands of `pixels` (rows `pitch` bytes apart) in `palette` that differ from the
    // picture taken before, in order from the top; this picture is remembered for the next call.
    const std::vector<RowBand>& Take(const uint8_t* pixels, int pitch,
                                     const BackendColor palette[256]);

private:
    void AddRow(int y);

    int width_ = 0;
    int height_ = 0;
    bool whole_ = true;
    std::vector<uint8_t> last_;  // the picture taken before, rows packed
    std::array<BackendColor, 256> lastPalette_{};
    std::vector<RowBand> bands_;
};
