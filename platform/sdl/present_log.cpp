#include "present_log.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../src/backend.h"

namespace {

// An hour at 60 a second; what comes later is not recorded.
constexpr size_t kMaxRecords = 60 * 60 * 60;

struct PresentRecord {
    uint64_t microseconds;
    bool presented;
};

const char* gPath;
std::vector<PresentRecord> gRecords;

}  // namespace

void PresentLogStart() {
    gPath = getenv("ZEPHYX_PRESENT_LOG");
    if (gPath != nullptr && *gPath != '\0') {
        gRecords.clear();
        gRecords.reserve(kMaxRecords);
    } else {
        gPath = nullptr;
    }
}

void PresentLogRecord(bool presented) {
    if (gPath != nullptr && gRecords.size() < kMaxRecords) {
        gRecords.push_back(PresentRecord{BackendMicroseconds(), presented});
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
            fprintf(file, "%c %llu\n", record.presented ? 'P' : 'U',
                    static_cast<unsigned long long>(record.microseconds));
        }
        fclose(file);
    }
    gPath = nullptr;
}
