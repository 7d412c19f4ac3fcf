// Debugger output: on Windows nobody sees it without a debugger, so here it goes to standard
// error only when ZEPHYX_DEBUG is set, and a normal start stays quiet.
#include <cstdio>
#include <cstdlib>

#include <windows.h>

#include "backend.h"

namespace {
bool DebugOutputWanted() {
    static const bool wanted = getenv("ZEPHYX_DEBUG") != nullptr;
    return wanted;
}
}  // namespace

void OutputDebugStringA(LPCSTR text) {
    if (text == nullptr) {
        return;
    }
    if (DebugOutputWanted()) {
        fputs(text, stderr);
    }
    BackendDebugOutput(text);
}
