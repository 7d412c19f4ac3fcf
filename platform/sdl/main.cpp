// The program's entry on systems without Windows: the platform owns main and hands over to
// the game's WinMain, as the Windows loader would. The exit code is WinMain's.
#include <SDL.h>

#include <windows.h>

#include "quit_signals.h"
#include "standard_streams.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);

int main(int, char**) {
    GuardStandardStreams();
    StartQuitSignalWatch();
    char commandLine[] = "";
    int exitCode = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    SDL_Quit();
    return exitCode;
}
