#include "backend_options.h"

namespace {
ProgramOptions gOptions;
}  // namespace

void SdlSetProgramOptions(const ProgramOptions& options) {
    gOptions = options;
}

const ProgramOptions& SdlProgramOptions() {
    return gOptions;
}
