// The thread's message queue: a fixed ring of posted messages, and two requests kept as state.
//
// Posts go into the ring in order and a full ring refuses them, as Windows does. A window's
// close request and the quit are flags instead (Windows keeps the quit that way): they never
// need a slot, so no flood of input can crowd them out. The close comes before waiting input,
// which closing makes moot; the quit comes once nothing else waits.
#pragma once

#include <windows.h>

// Queues a message; false when the queue is full.
bool QueuePost(const MSG& message);
// True while at least `slots` more messages would be taken.
bool QueueHasRoom(int slots);

void QueueRequestClose(HWND window, DWORD time);
void QueueRequestQuit(int exitCode);

// True when nothing at all waits: no request and no posted message.
bool QueueIsEmpty();
// The next message, or false when nothing waits; `remove` takes it off the queue.
bool QueueNext(MSG* message, bool remove);
void QueueClear();
