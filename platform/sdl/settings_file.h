// The player's remembered choices: a small text file of `name=word` lines, one per option
// (`window=1`, `scale=fit`), the words as the options take them.
//
// main reads it before the command line is applied and writes it back when the command line
// made a choice; the backend writes it when the player switches full screen. Writing replaces
// the file in one step (a temporary file renamed over it), so a crash or a full disk leaves
// the old file or the new one, never half of one. Nothing here allocates once the settings are
// read, so a switch in the middle of a game costs no allocation.
#pragma once

#include <string>

#include "program_options.h"

// Reads the file. A missing file is no settings and no problem; a damaged (a line that is not
// `name=word`, an unknown name, a file too large to be ours) or unreadable one is no settings
// and `problem` says why in one line.
OptionWords ReadSettingsFile(const std::string& path, std::string* problem);

// Writes `words` to `path` in one step, making its folder as needed; false when it could not
// be written (the old file, if any, stays).
bool WriteSettingsFile(const std::string& path, const OptionWords& words);
