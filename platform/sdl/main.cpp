// The program's entry on systems without Windows: the platform owns main and hands over to
// the game's WinMain, as the Windows loader would. The exit code is WinMain's.
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("zephyx %s\n", ZEPHYX_VERSION);
        return 0;
    }
    char commandLine[] = "";
    int exitCode = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    SDL_Quit();
    return exitCode;
}
