#include "screenshot_files.h"

#include <cstdio>

#include "file_system.h"

std::vector<std::string> ScreenshotFolders(const char* picturesDir, const char* home) {
    std::vector<std::string> folders;
    if (picturesDir != nullptr && *picturesDir != '\0') {
        folders.push_back(std::string(picturesDir) + "/zephyx");
    }
    if (home != nullptr && *home != '\0') {
        folders.push_back(std::string(home) + "/Pictures/zephyx");
    }
    folders.push_back(".");
    return folders;
}

std::string ScreenshotFileName(const std::tm& when, int attempt) {
    char name[64];
    size_t length = strftime(name, sizeof name, "zephyx-%Y-%m-%d-%H%M%S", &when);
    std::string file(name, length);
    if (attempt > 1) {
        file += "-" + std::to_string(attempt);
    }
    return file + ".png";
}

bool MakeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        std::string part = folder.substr(0, slash);
        if (!MakeFolder(part.c_str(), true)) {
            return false;
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    return IsWritableFolder(folder.c_str());
}

std::string NewScreenshotPath(const std::vector<std::string>& folders, const std::tm& when) {
    for (const std::string& folder : folders) {
        if (!MakeFolders(folder)) {
            continue;
        }
        for (int attempt = 1; attempt < 1000; ++attempt) {
            std::string path = folder + "/" + ScreenshotFileName(when, attempt);
            if (!PathExists(path.c_str())) {
                return path;
            }
        }
    }
    return {};
}
