// The thread's message queue: a fixed ring of posted messages and the pending quit.
#pragma once

#include <windows.h>

// Queues a message; false when the queue is full.
bool QueuePost(const MSG& message);
bool QueueIsEmpty();
MSG QueueTake();
void QueueClear();
