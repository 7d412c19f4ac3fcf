#include "pictures_folder.h"

#include "settings_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

const std::string kAssignment = "XDG_PICTURES_DIR=\"";
const std::string kHome = "$HOME";

bool StartsWith(const std::string& text, size_t at, const std::string& prefix) {
    return text.compare(at, prefix.size(), prefix) == 0;
}

// The quoted text from `at` to the closing quote, its backslash escapes undone; false when the
// quote is never closed.
bool ReadQuoted(const std::string& line, size_t at, std::string* value) {
    value->clear();
    for (size_t i = at; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            return true;
        }
        if (c == '\\' && i + 1 < line.size()) {
            c = line[++i];
        }
        value->push_back(c);
    }
    return false;
}

void DropTrailingSlashes(std::string* folder) {
    while (folder->size() > 1 && folder->back() == '/') {
        folder->pop_back();
    }
}

// The folder one line assigns: false when the line is no well-formed XDG_PICTURES_DIR
// assignment; true with an empty folder when it assigns none the program can use.
bool FolderAssigned(const std::string& line, const std::string& home, std::string* folder) {
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || !StartsWith(line, at, kAssignment)) {
        return false;
    }
    at += kAssignment.size();
    // Only "$HOME" on its own or before a slash is the home folder; "$HOMEfoo" is no path.
    const bool fromHome = StartsWith(line, at, kHome + "/") || StartsWith(line, at, kHome + "\"");
    std::string value;
    if (!ReadQuoted(line, fromHome ? at + kHome.size() : at, &value)) {
        return false;
    }
    if (fromHome) {
        *folder = home.empty() ? std::string() : home + value;
    } else {
        *folder = StartsWith(value, 0, "/") ? value : std::string();
    }
    DropTrailingSlashes(folder);
    return true;
}

bool IsAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

const char* LookUpVariable(const char* name) {
    return getenv(name);
}

std::string UserDirsText() {
    const std::string folder = UserConfigFolder(LookUpVariable);
    if (folder.empty()) {
        return {};
    }
    std::ifstream file(folder + "/user-dirs.dirs");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

std::string PicturesDirFromUserDirs(const std::string& text, const std::string& home) {
    std::string folder;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string assigned;
        if (FolderAssigned(text.substr(start, end - start), home, &assigned)) {
            folder = assigned;  // as the shell reads the file: the last assignment counts
        }
        start = end + 1;
    }
    return folder;
}

std::string ChoosePicturesDir(const char* environment, const std::string& userDirs,
                              const std::string& home) {
    return IsAbsolute(environment) ? environment : PicturesDirFromUserDirs(userDirs, home);
}

std::string PicturesDir() {
    const char* home = getenv("HOME");
    const std::string homeFolder = home != nullptr ? home : "";
    return ChoosePicturesDir(getenv("XDG_PICTURES_DIR"), UserDirsText(), homeFolder);
}
