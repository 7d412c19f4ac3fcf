#include "settings_folder.h"

namespace {

// A value the base directory rules accept: set and absolute.
bool IsAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

}  // namespace

std::string SettingsFolder(EnvironmentLookup lookup) {
    const char* config = lookup("XDG_CONFIG_HOME");
    if (IsAbsolute(config)) {
        return std::string(config) + "/zephyx";
    }
    const char* home = lookup("HOME");
    if (IsAbsolute(home)) {
        return std::string(home) + "/.config/zephyx";
    }
    return {};
}
