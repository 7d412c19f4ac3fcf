#include <windows.h>

#include "backend.h"

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    BackendMessageBox(text != nullptr ? text : "", caption != nullptr ? caption : "Error");
    return IDOK;
}
