// The program's entry on our platform layer (the modern Windows program's too): the platform owns
// main, reads the command line, and hands over to the game's WinMain as the Windows loader would.
// The exit code is WinMain's; a bad command line ends the program with status 2 before any window
// opens.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <windows.h>

#include "backend_options.h"
#include "program_options.h"
#include "quit_signals.h"
#include "remembered_settings.h"
#include "settings_file.h"
#include "settings_folder.h"
#include "standard_streams.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);

namespace {
const char* LookUpVariable(const char* name) {
    return getenv(name);
}

std::string SettingsPath() {
    const std::string folder = SettingsFolder(LookUpVariable);
    return folder.empty() ? folder : folder + "/settings";
}

// What the settings file holds, or nothing (said in one line) when it cannot be used.
OptionWords ReadRememberedChoices(const std::string& path) {
    std::string problem;
    OptionWords words = path.empty() ? OptionWords{} : ReadSettingsFile(path, &problem);
    if (!problem.empty()) {
        fprintf(stderr, "zephyx: ignoring the settings in %s: %s\n", path.c_str(), problem.c_str());
    }
    return words;
}

// Help and command-line errors: on the streams, or in a box where nobody reads them.
void Tell(FILE* stream, const std::string& text) {
    if (StandardStreamsReachSomeone()) {
        fputs(text.c_str(), stream);
        return;
    }
    const Uint32 kind = stream == stderr ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(kind, "ZEPHYX", text.c_str(), nullptr);
}

// Words that were not understood are said once and dropped from the file at its next write;
// the command line's choices are remembered once the game starts with them.
void RememberChoices(const std::string& path, OptionWords remembered, const ParsedOptions& parsed) {
    for (const std::string& ignored : parsed.ignored) {
        fprintf(stderr, "zephyx: ignoring '%s' in the settings in %s\n", ignored.c_str(),
                path.c_str());
        remembered.erase(ignored.substr(0, ignored.find('=')));
    }
    StartRememberingSettings(path, remembered, parsed.chosen);
}
}  // namespace

int main(int argc, char** argv) {
    GuardStandardStreams();  // before anything is printed
    BlockQuitSignals();      // before any thread starts
    const std::string settingsPath = SettingsPath();
    const OptionWords remembered = ReadRememberedChoices(settingsPath);
    ParsedOptions parsed = ParseProgramOptions(argc, argv, LookUpVariable, remembered);
    switch (parsed.outcome) {
        case OptionsOutcome::kShowHelp:
            Tell(stdout, ProgramUsage());
            return 0;
        case OptionsOutcome::kShowVersion:
            Tell(stdout, std::string("zephyx ") + ZEPHYX_VERSION + "\n");
            return 0;
        case OptionsOutcome::kBadCommandLine:
            Tell(stderr, "zephyx: " + parsed.error + "\n" + ProgramUsage());
            return 2;
        case OptionsOutcome::kRun:
            break;
    }
    RememberChoices(settingsPath, remembered, parsed);
    SdlSetProgramOptions(parsed.options);

    char commandLine[] = "";
    int exitCode = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    StopQuitSignalWatch();
    SDL_Quit();
    return exitCode;
}
