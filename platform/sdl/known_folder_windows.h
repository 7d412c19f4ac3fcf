// Paths of Windows' known folders, as UTF-8 with '/' between folders; empty when Windows has
// none. For the *_windows.cpp files, compiled against the real Windows headers.
#pragma once

#include <string>

std::string RoamingAppDataFolder();  // %APPDATA%
std::string PicturesFolder();
