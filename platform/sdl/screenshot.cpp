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
#include "screenshot_files.h"

namespace {

std::vector<uint8_t> gIndices;  // the presented picture, rows packed
BackendColor gPalette[256];
int gWidth;
int gHeight;

std::vector<uint8_t> PictureAsRgb() {
    std::vector<uint8_t> rgb(gIndices.size() * 3);
    for (size_t i = 0; i < gIndices.size(); ++i) {
        const BackendColor& colour = gPalette[gIndices[i]];
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

void RememberPresentedPicture(const uint8_t* pixels, int width, int height, int pitch,
                              const BackendColor palette[256]) {
    // Sized when the mode is first presented; every later frame reuses the buffer.
    gIndices.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        memcpy(gIndices.data() + static_cast<size_t>(y) * width,
               pixels + static_cast<ptrdiff_t>(y) * pitch, width);
    }
    memcpy(gPalette, palette, sizeof gPalette);
    gWidth = width;
    gHeight = height;
}

void SaveScreenshot() {
    if (gIndices.empty()) {
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
    if (WriteRgbPng(path.c_str(), PictureAsRgb().data(), gWidth, gHeight, error)) {
        fprintf(stderr, "zephyx: screenshot saved as %s\n", path.c_str());
    } else {
        fprintf(stderr, "zephyx: screenshot %s not written: %s\n", path.c_str(), error.c_str());
    }
}
