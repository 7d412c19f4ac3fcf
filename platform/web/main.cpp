// The browser build's entry: the page loads the program and this hands over to the game's
// WinMain, as the Windows loader would. When WinMain returns, the page says the program ended.
#include <windows.h>

#include "web_page.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);

int main() {
    char commandLine[] = "";
    const int exitCode = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    zephyx_page_ended(exitCode);
    return exitCode;
}
