#include "settings_folder.h"

namespace {

// A value the base directory rules accept: set and absolute.
bool IsAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

}  // namespace

std::string UserConfigFolder(EnvironmentLookup lookup) {
    const char* config = lookup("XDG_CONFIG_HOME");
    if (IsAbsolute(config)) {
        return config;
    }
    const char* home = lookup("HOME");
    return IsAbsolute(home) ? std::string(home) + "/.config" : std::string();
}

std::string SettingsFolder(EnvironmentLookup lookup) {
    const std::string folder = UserConfigFolder(lookup);
    return folder.empty() ? folder : folder + "/zephyx";
}
