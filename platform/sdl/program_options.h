// The `zephyx` program's command line and environment.
//
// main parses them before WinMain runs (WinMain still gets a command line and ignores it), so
// a bad command line ends the program before any window opens. Pure: the environment comes
// through a lookup function, and nothing is printed here.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "renderer_decision.h"
#include "scaling_geometry.h"
#include "vsync_decision.h"

struct ProgramOptions {
    bool fullscreen = true;
    ScaleMode scale = ScaleMode::kInteger;
    VsyncMode vsync = VsyncMode::kAuto;
    RendererChoice renderer = RendererChoice::kAuto;
    int display = 0;  // SDL's display index, counted from 0
};

enum class OptionsOutcome {
    kRun,
    kShowHelp,
    kShowVersion,
    kBadCommandLine,  // `error` says what, in one line without the program's name
};

// Choices as words by option name, without the dashes: {"window", "1"}, {"scale", "fit"}.
// The settings file keeps them so.
using OptionWords = std::map<std::string, std::string>;

struct ParsedOptions {
    OptionsOutcome outcome = OptionsOutcome::kRun;
    ProgramOptions options;
    std::string error;
    OptionWords chosen;                // what the command line chose, to be remembered
    std::vector<std::string> ignored;  // remembered words that were not understood, one line each
};

// Returns the value of an environment variable, or null when it is not set.
using EnvironmentLookup = const char* (*)(const char* name);

// Reads argv[1..argc-1], the ZEPHYX_SCALE, ZEPHYX_VSYNC, ZEPHYX_RENDERER and ZEPHYX_WINDOW
// variables and the
// `remembered` choices: an option given on the command line wins over its variable, which
// wins over what was remembered. --help and --version win over everything after them. A remembered
// word that is not understood is left out and named in `ignored`, never an error.
ParsedOptions ParseProgramOptions(int argc, const char* const* argv, EnvironmentLookup lookup,
                                  const OptionWords& remembered = {});

// True for the names OptionWords use.
bool IsOptionName(const std::string& name);

// The full usage text, ending in a newline.
const char* ProgramUsage();
