// How long the program's frames have been taking, from waking before a frame to its picture
// being ready to show: the pump, the game's frame, and the preparation of the present.
//
// The sleep before a frame ends this much before the picture's deadline, so the keys are read
// as late as the frame allows while a frame as slow as the recent slow ones is still on time.
// A high percentile of a couple of seconds of frames follows a lasting change within that time
// and ignores the odd frame held up by other programs; a fixed slack covers waking late and
// the variation below it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class FrameCostHistory {
public:
    // One frame took `microseconds` (capped at a frame period: a longer one is late anyway).
    void Record(uint64_t microseconds);

    // How long before a deadline to wake: the recent frames' high percentile plus the slack,
    // or a cautious guess while too few frames are known.
    uint64_t WakeMargin() const;

    void Clear();

private:
    static constexpr size_t kFrames = 128;
    std::array<uint32_t, kFrames> costs_{};
    size_t count_ = 0;  // recorded, up to kFrames
    size_t next_ = 0;   // where the next one goes
};
