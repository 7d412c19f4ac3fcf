#include <mmsystem.h>
#include <windows.h>

#include "backend.h"
#include "frame_wake.h"

DWORD timeGetTime(void) {
    return BackendMilliseconds();
}

DWORD GetTickCount(void) {
    return BackendMilliseconds();
}

void Sleep(DWORD milliseconds) {
    PlatformSleep(milliseconds);
}
