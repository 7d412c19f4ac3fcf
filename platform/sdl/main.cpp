// The program's entry on systems without Windows: the platform owns main, reads the command
// line, and hands over to the game's WinMain as the Windows loader would. The exit code is
// WinMain's; a bad command line ends the program with status 2 before any window opens.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include <windows.h>

#include "backend_options.h"
#include "program_options.h"
#include "quit_signals.h"
#include "standard_streams.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);

namespace {
const char* LookUpVariable(const char* name) {
    return getenv(name);
}
}  // namespace

int main(int argc, char** argv) {
    GuardStandardStreams();  // before anything is printed
    BlockQuitSignals();      // before any thread starts
    ParsedOptions parsed = ParseProgramOptions(argc, argv, LookUpVariable);
    switch (parsed.outcome) {
        case OptionsOutcome::kShowHelp:
            fputs(ProgramUsage(), stdout);
            return 0;
        case OptionsOutcome::kShowVersion:
            printf("zephyx %s\n", ZEPHYX_VERSION);
            return 0;
        case OptionsOutcome::kBadCommandLine:
            fprintf(stderr, "zephyx: %s\n", parsed.error.c_str());
            fputs(ProgramUsage(), stderr);
            return 2;
        case OptionsOutcome::kRun:
            break;
    }
    SdlSetProgramOptions(parsed.options);

    char commandLine[] = "";
    int exitCode = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    StopQuitSignalWatch();
    SDL_Quit();
    return exitCode;
}
