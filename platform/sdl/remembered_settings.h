// The player's choices kept for the next run (settings_file.h has the file).
//
// main starts it with the file and what it held, and passes on the command line's choices;
// the backend passes on the full-screen switches the player makes (Alt+Enter, or the window
// manager's own). Choices that came from the environment are not remembered: a variable is
// for the run it is set for.
#pragma once

#include <string>

#include "program_options.h"

// `path` is the settings file (empty: nothing is remembered), `words` what it holds now.
void StartRememberingSettings(const std::string& path, const OptionWords& words);

// The player chose `word` for the option `name`; the file is written at once when that changes
// what it holds. Says on standard error, once, when the file cannot be written.
void RememberSetting(const char* name, const char* word);
