// The program's options as the SDL backend sees them: main sets them once before WinMain, and
// the backend reads them when it opens the window and chooses how to present.
#pragma once

#include "program_options.h"

void SdlSetProgramOptions(const ProgramOptions& options);
const ProgramOptions& SdlProgramOptions();
