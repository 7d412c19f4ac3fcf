// Where the player's settings live: the system's folder for a user's program settings.
//
// One file per system beside this header supplies it (settings_folder_posix.cpp: the XDG
// base directory rules).
#pragma once

#include <string>

#include "program_options.h"

// The folder for the program's own settings ($XDG_CONFIG_HOME/zephyx, or ~/.config/zephyx),
// not made yet; empty when the environment names none.
std::string SettingsFolder(EnvironmentLookup lookup);
