// Time stamps of every flip, for measuring the program's pacing from its presents.
//
// Off unless ZEPHYX_PRESENT_LOG names a file. Then every flip records when its picture reached
// the display server (just after the present returned) or, for a picture already on screen,
// when the present was left out; the records go to the file, one "P <microseconds>" or
// "U <microseconds>" line each on the monotonic clock, when the window closes. The buffer is
// made when the window opens, so recording allocates nothing while frames run.
#pragma once

void PresentLogStart();
void PresentLogRecord(bool presented);
void PresentLogFinish();
