#include "icon_set.h"

#include <vector>

#include "icon_art.h"
#include "icon_files.h"

bool WriteIcons(const std::string& dir) {
    std::vector<RgbaImage> all;
    bool ok = true;
    for (int size : kIconSizes) {
        all.push_back(MakeIcon(size));
        ok = ok && WritePngFile(dir + "/icon-" + std::to_string(size) + ".png", all.back());
    }
    // Windows lists 16, 32, 48 and 256 in its shell views; 64 serves high-DPI lists.
    std::vector<RgbaImage> windows;
    for (const RgbaImage& image : all) {
        if (image.width != 128) {
            windows.push_back(image);
        }
    }
    return ok && WriteIcoFile(dir + "/zephyx.ico", windows) &&
           WriteRgbaBitmapFile(dir + "/window_icon.bmp", MakeIcon(kWindowIconSize));
}
