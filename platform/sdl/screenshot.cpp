#include "screenshot.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "../src/png_file.h"
#include "../src/shown_picture.h"
#include "pictures_folder.h"
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
