#include "web_present_log.h"

#include <emscripten/emscripten.h>

#include "../src/picture_band.h"

namespace {

// Over four minutes of pictures at 60 a second.
constexpr uint32_t kKept = 16384;

struct Record {
    double milliseconds;
    uint32_t band;
};

Record gRecords[kKept];
uint32_t gCount;
bool gOn;

EM_JS(int, zephyx_present_log_wanted, (),
      { return new URLSearchParams(location.search).has('presentlog') ? 1 : 0; });

}  // namespace

void WebPresentLogStart() {
    gOn = zephyx_present_log_wanted() != 0;
    gCount = 0;
}

// The time first: hashing comes after it, so it does not move the stamp.
void WebPresentLogPresented(const uint8_t* pixels, int width, int height, int pitch) {
    if (!gOn) {
        return;
    }
    const double now = emscripten_get_now();
    const uint64_t hash = HashPictureBand(pixels, width, height, pitch);
    gRecords[gCount % kKept] = Record{now, static_cast<uint32_t>(hash ^ (hash >> 32))};
    ++gCount;
}

extern "C" {

// Pictures recorded since the start.
EMSCRIPTEN_KEEPALIVE uint32_t zephyx_present_log_count() {
    return gCount;
}

// When picture `number` (from 0) was drawn and its band's hash, while it is among the latest
// kept; -1 and 0 otherwise.
EMSCRIPTEN_KEEPALIVE double zephyx_present_log_time(uint32_t number) {
    return number < gCount && gCount - number <= kKept ? gRecords[number % kKept].milliseconds : -1;
}

EMSCRIPTEN_KEEPALIVE uint32_t zephyx_present_log_band(uint32_t number) {
    return number < gCount && gCount - number <= kKept ? gRecords[number % kKept].band : 0;
}
}
