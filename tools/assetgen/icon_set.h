// The icon files: icon-<size>.png for every size in kIconSizes, zephyx.ico for Windows and
// window_icon.bmp, the picture the Linux program gives its window.
#pragma once

#include <string>

// Big enough for docks and task switchers; SDL hands it to the desktop as it is.
constexpr int kWindowIconSize = 64;

// Writes them all into `dir`; false (with a message on stderr) when one cannot be written.
bool WriteIcons(const std::string& dir);
