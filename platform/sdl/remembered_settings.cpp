#include "remembered_settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "settings_file.h"

namespace {

std::string gPath;
OptionWords gWords;
OptionWords gChosen;  // the command line's, until the game starts with them
bool gWriteFailed;

}  // namespace

void StartRememberingSettings(const std::string& path, const OptionWords& words,
                              const OptionWords& chosen) {
    gPath = path;
    gWords = words;
    gChosen = chosen;
    gWriteFailed = false;
}

void KeepChosenSettings() {
    for (const auto& [name, word] : gChosen) {
        RememberSetting(name.c_str(), word.c_str());
    }
    gChosen.clear();
}

void RememberSetting(const char* name, const char* word) {
    std::string& remembered = gWords[name];
    if (gPath.empty() || remembered == word) {
        return;
    }
    remembered = word;
    if (!WriteSettingsFile(gPath, gWords) && !gWriteFailed) {
        gWriteFailed = true;
        fprintf(stderr, "zephyx: cannot keep the settings in %s: %s\n", gPath.c_str(),
                strerror(errno));
    }
}
