// The player's choices kept for the next run (settings_file.h has the file).
//
// main starts it with the file, what it held and the command line's choices; the backend keeps
// those once the game's window shows (a choice that keeps the game from starting is no choice
// to start with next time, from a menu that cannot pass another), and passes on the full-screen
// switches the player makes (Alt+Enter, or the window manager's own). Choices that came from
// the environment are not remembered: a variable is for the run it is set for.
#pragma once

#include <string>

#include "program_options.h"

// `path` is the settings file (empty: nothing is remembered), `words` what it holds now,
// `chosen` the command line's choices.
void StartRememberingSettings(const std::string& path, const OptionWords& words,
                              const OptionWords& chosen);

// The game started with the command line's choices: they are remembered.
void KeepChosenSettings();

// The player chose `word` for the option `name`; the file is written at once when that changes
// what it holds. Says on standard error, once, when the file cannot be written.
void RememberSetting(const char* name, const char* word);
