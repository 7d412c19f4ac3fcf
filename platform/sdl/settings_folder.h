// Where the player's settings live: the system's folder for a user's program settings.
//
// One file per system beside this header supplies it (settings_folder_posix.cpp: the XDG
// base directory rules; settings_folder_windows.cpp: %APPDATA%, else the known folder).
#pragma once

#include <string>

#include "program_options.h"

// The folder where programs keep a user's settings ($XDG_CONFIG_HOME, or ~/.config); empty
// when the environment names none.
std::string UserConfigFolder(EnvironmentLookup lookup);

// The program's own folder in it (not made yet); empty when there is none.
std::string SettingsFolder(EnvironmentLookup lookup);
