// On Windows a user's program settings live in the roaming application data folder (%APPDATA%).
#include "known_folder_windows.h"
#include "settings_folder.h"

std::string UserConfigFolder(EnvironmentLookup lookup) {
    // The variable first, as on other systems, so one run can keep its settings elsewhere.
    const char* variable = lookup("APPDATA");
    return variable != nullptr && *variable != '\0' ? std::string(variable)
                                                    : RoamingAppDataFolder();
}

std::string SettingsFolder(EnvironmentLookup lookup) {
    const std::string folder = UserConfigFolder(lookup);
    return folder.empty() ? folder : folder + "/zephyx";
}
