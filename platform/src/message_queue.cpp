#include "message_queue.h"

namespace {
// Far more than a frame's worth of input; a full queue refuses posts as Windows does.
constexpr int kQueueCapacity = 256;

MSG gRing[kQueueCapacity];
int gHead;
int gCount;
}  // namespace

bool QueuePost(const MSG& message) {
    if (gCount == kQueueCapacity) {
        return false;
    }
    gRing[(gHead + gCount) % kQueueCapacity] = message;
    ++gCount;
    return true;
}

bool QueueIsEmpty() {
    return gCount == 0;
}

MSG QueueTake() {
    MSG message = gRing[gHead];
    gHead = (gHead + 1) % kQueueCapacity;
    --gCount;
    return message;
}

void QueueClear() {
    gHead = 0;
    gCount = 0;
}
