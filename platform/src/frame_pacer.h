// The 60 Hz schedule the primary surface's Flip keeps, in microseconds on the backend's
// monotonic clock.
//
// Picture n of a schedule is due at its start plus n/60 of a second, worked out from the
// start each time, so no rounding piles up. The wait sleeps to that absolute deadline: time
// spent since the last picture (the game's frame, its 1 ms sleep, the event pump) comes off
// the wait instead of adding to it. A picture less than one frame period late keeps the
// schedule, so the long-run rate stays 60 a second; a later one, or a clock that went back,
// starts the schedule again from now instead of letting the following pictures catch up in a
// burst.
#pragma once

#include <cstdint>

class FramePacer {
public:
    // Counts the next picture and sleeps until it may be shown: kShowEarlyMicroseconds before
    // it is due. A frame woken in time for it (frame_wake.h) is shown as soon as it is ready,
    // as its keys are freshest then, without moving a picture more than that off the beat.
    void WaitForNextPicture();

    static constexpr uint64_t kShowEarlyMicroseconds = 500;

    // Counts the next picture and returns when it is due (now, if the schedule restarts),
    // without waiting.
    uint64_t NextPictureDue();

    // When the picture after the last one counted is due, if the schedule holds; nothing is
    // counted.
    uint64_t UpcomingDue() const;

private:
    void Restart(uint64_t now);
    uint64_t Due(uint64_t picture) const;

    bool started_ = false;
    uint64_t startMicroseconds_ = 0;
    uint64_t picture_ = 0;  // pictures shown since the start of this schedule
};
