#include <cstdio>

#include <windows.h>

#include "backend.h"

void OutputDebugStringA(LPCSTR text) {
    if (text == nullptr) {
        return;
    }
    fputs(text, stderr);
    BackendDebugOutput(text);
}
