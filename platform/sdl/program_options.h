// The `zephyx` program's command line and environment.
//
// main parses them before WinMain runs (WinMain still gets a command line and ignores it), so
// a bad command line ends the program before any window opens. Pure: the environment comes
// through a lookup function, and nothing is printed here.
#pragma once

#include <string>

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

struct ParsedOptions {
    OptionsOutcome outcome = OptionsOutcome::kRun;
    ProgramOptions options;
    std::string error;
};

// Returns the value of an environment variable, or null when it is not set.
using EnvironmentLookup = const char* (*)(const char* name);

// Reads argv[1..argc-1] and the ZEPHYX_SCALE, ZEPHYX_VSYNC, ZEPHYX_RENDERER and ZEPHYX_WINDOW
// variables; an
// option given on the command line wins over its variable. --help and --version win over
// everything after them.
ParsedOptions ParseProgramOptions(int argc, const char* const* argv, EnvironmentLookup lookup);

// The full usage text, ending in a newline.
const char* ProgramUsage();
