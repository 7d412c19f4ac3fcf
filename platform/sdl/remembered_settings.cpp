#include "remembered_settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "settings_file.h"

namespace {

std::string gPath;
OptionWords gWords;
bool gWriteFailed;

}  // namespace

void StartRememberingSettings(const std::string& path, const OptionWords& words) {
    gPath = path;
    gWords = words;
    gWriteFailed = false;
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
