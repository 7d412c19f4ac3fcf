#include "present_log.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../src/backend.h"
#include "../src/picture_band.h"

namespace {

// An hour at 60 a second; what comes later is not recorded.
constexpr size_t kMaxRecords = 60 * 60 * 60;

struct PresentRecord {
    uint64_t microseconds;
    uint64_t bandHash;
    bool presented;
};

const char* gPath;
std::vector<PresentRecord> gRecords;
uint64_t gLastBandHash;

}  // namespace

void PresentLogStart() {
    gPath = getenv("ZEPHYX_PRESENT_LOG");
    if (gPath != nullptr && *gPath != '\0') {
        gRecords.clear();
        gRecords.reserve(kMaxRecords);
        gLastBandHash = 0;
    } else {
        gPath = nullptr;
    }
}

// The time first: hashing comes after it, so it does not move the stamp.
void PresentLogPresented(const uint8_t* pixels, int width, int height, int pitch) {
    if (gPath == nullptr) {
        return;
    }
    const uint64_t microseconds = BackendMicroseconds();
    gLastBandHash = HashPictureBand(pixels, width, height, pitch);
    if (gRecords.size() < kMaxRecords) {
        gRecords.push_back(PresentRecord{microseconds, gLastBandHash, true});
    }
}

void PresentLogUnchanged() {
    if (gPath != nullptr && gRecords.size() < kMaxRecords) {
        gRecords.push_back(PresentRecord{BackendMicroseconds(), gLastBandHash, false});
    }
}

void PresentLogFinish() {
    if (gPath == nullptr) {
        return;
    }
    FILE* file = fopen(gPath, "w");
    if (file == nullptr) {
        fprintf(stderr, "zephyx: cannot write the present log %s\n", gPath);
    } else {
        for (const PresentRecord& record : gRecords) {
            fprintf(file, "%c %llu %016llx\n", record.presented ? 'P' : 'U',
                    static_cast<unsigned long long>(record.microseconds),
                    static_cast<unsigned long long>(record.bandHash));
        }
        fclose(file);
    }
    gPath = nullptr;
}
