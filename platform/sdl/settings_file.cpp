#include "settings_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "file_system.h"

namespace {

// Ours holds a handful of short lines; anything much larger is not our file.
constexpr std::streamoff kLargestFile = 4096;

const char kHeader[] =
    "# ZEPHYX remembers the player's choices here. The command line and the ZEPHYX_*\n"
    "# environment variables win over them.\n";

bool IsComment(const std::string& line) {
    return line.empty() || line[0] == '#';
}

// Parses the lines into `words`; returns what is wrong, or empty.
std::string ParseLines(std::istream& lines, OptionWords& words) {
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (IsComment(line)) {
            continue;
        }
        const size_t equals = line.find('=');
        const std::string name = line.substr(0, equals);
        if (equals == std::string::npos || !IsOptionName(name)) {
            return "line " + std::to_string(number) + " is not understood";
        }
        words[name] = line.substr(equals + 1);
    }
    return {};
}

// Makes every folder above the file `path` names.
bool MakeParentFolders(char* path) {
    for (char* slash = path + 1; (slash = strchr(slash, '/')) != nullptr; ++slash) {
        *slash = '\0';
        const bool made = MakeFolder(path, false);
        *slash = '/';
        if (!made) {
            return false;
        }
    }
    return true;
}

// The file's text, formatted into `text`; its length, or 0 when it would not fit.
size_t FormatSettings(const OptionWords& words, char* text, size_t capacity) {
    int used = snprintf(text, capacity, "%s", kHeader);
    for (const auto& [name, word] : words) {
        if (used < 0 || static_cast<size_t>(used) >= capacity) {
            return 0;
        }
        used += snprintf(text + used, capacity - used, "%s=%s\n", name.c_str(), word.c_str());
    }
    return used > 0 && static_cast<size_t>(used) < capacity ? static_cast<size_t>(used) : 0;
}

}  // namespace

OptionWords ReadSettingsFile(const std::string& path, std::string* problem) {
    problem->clear();
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        if (errno != ENOENT) {
            *problem = "the file cannot be read";
        }
        return {};
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || size > kLargestFile) {
        *problem = "the file is too large to be ZEPHYX's";
        return {};
    }
    std::string text(static_cast<size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(text.data(), size)) {
        *problem = "the file cannot be read";
        return {};
    }
    std::istringstream lines(text);
    OptionWords words;
    *problem = ParseLines(lines, words);
    return problem->empty() ? words : OptionWords{};
}

bool WriteSettingsFile(const std::string& path, const OptionWords& words) {
    char text[kLargestFile];
    const size_t size = FormatSettings(words, text, sizeof text);
    char pending[4096];
    const int length = snprintf(pending, sizeof pending, "%s.new", path.c_str());
    if (size == 0 || length < 0 || static_cast<size_t>(length) >= sizeof pending ||
        !MakeParentFolders(pending)) {
        return false;
    }
    return ReplaceFileWith(path.c_str(), pending, text, size);
}
