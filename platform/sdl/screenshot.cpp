#include "screenshot.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../src/png_file.h"
#include "../src/shown_picture.h"
#include "screenshot_files.h"

namespace {

std::vector<uint8_t> PictureAsRgb(const PlatformPicture& picture) {
    const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    std::vector<uint8_t> rgb(count * 3);
    for (size_t i = 0; i < count; ++i) {
        const BackendColor& colour = picture.palette[picture.indices[i]];
        rgb[i * 3] = colour.red;
        rgb[i * 3 + 1] = colour.green;
        rgb[i * 3 + 2] = colour.blue;
    }
    return rgb;
}

// XDG_PICTURES_DIR from the environment, else from the desktop's user-dirs.dirs file.
std::string PicturesDir() {
    if (const char* fromEnvironment = getenv("XDG_PICTURES_DIR")) {
        return fromEnvironment;
    }
    const char* home = getenv("HOME");
    const char* config = getenv("XDG_CONFIG_HOME");
    std::string folder = config != nullptr && *config != '\0'
                             ? config
                             : std::string(home != nullptr ? home : "") + "/.config";
    std::ifstream file(folder + "/user-dirs.dirs");
    std::stringstream text;
    text << file.rdbuf();
    return PicturesDirFromUserDirs(text.str(), home != nullptr ? home : "");
}

}  // namespace

void SaveScreenshot() {
    const PlatformPicture picture = PlatformShownPicture();
    if (picture.indices == nullptr) {
        fprintf(stderr, "zephyx: no screenshot: nothing has been shown yet\n");
        return;
    }
    time_t now = time(nullptr);
    std::tm local;
    localtime_r(&now, &local);
    std::string path =
        NewScreenshotPath(ScreenshotFolders(PicturesDir().c_str(), getenv("HOME")), local);
    if (path.empty()) {
        fprintf(stderr, "zephyx: no screenshot: no folder for it can be made or written\n");
        return;
    }
    std::string error;
    if (WriteRgbPng(path.c_str(), PictureAsRgb(picture).data(), picture.width, picture.height,
                    error)) {
        fprintf(stderr, "zephyx: screenshot saved as %s\n", path.c_str());
    } else {
        fprintf(stderr, "zephyx: screenshot %s not written: %s\n", path.c_str(), error.c_str());
    }
}
