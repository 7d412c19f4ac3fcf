// A Windows program built for the desktop has no standard streams of its own: started from a
// console it writes to that console; started from Explorer its words go to message boxes.
#include <windows.h>

#include <cstdio>

#include "standard_streams.h"

namespace {

bool gReachesSomeone = false;

// True when the stream's handle leads somewhere: a redirection, a pipe or a console.
bool Leads(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

void GuardStandardStreams() {
    if (Leads(STD_OUTPUT_HANDLE) && Leads(STD_ERROR_HANDLE)) {
        gReachesSomeone = true;  // redirected by whoever started the program
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!Leads(STD_OUTPUT_HANDLE)) {
            freopen("CONOUT$", "w", stdout);
        }
        if (!Leads(STD_ERROR_HANDLE)) {
            freopen("CONOUT$", "w", stderr);
        }
        gReachesSomeone = true;
    }
}

bool StandardStreamsReachSomeone() {
    return gReachesSomeone;
}
