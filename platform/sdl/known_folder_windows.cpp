#include <shlobj.h>

#include "known_folder_windows.h"

namespace {

// Written out here: the import library that defines them (libuuid) also defines IID_IUnknown,
// a name the platform layer defines for the game.
const KNOWNFOLDERID kRoamingAppData = {
    0x3eb685db, 0x65f9, 0x4cf6, {0xa0, 0x3a, 0xe3, 0xef, 0x65, 0x72, 0x9f, 0x3d}};
const KNOWNFOLDERID kPictures = {
    0x33e28130, 0x4e1e, 0x4676, {0x83, 0x5a, 0x98, 0x39, 0x5c, 0x3b, 0xc3, 0xbb}};

std::string KnownFolderPath(REFKNOWNFOLDERID id) {
    PWSTR wide = nullptr;
    std::string path;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &wide))) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        if (size > 1) {
            path.resize(static_cast<size_t>(size));
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, path.data(), size, nullptr, nullptr);
            path.resize(static_cast<size_t>(size - 1));
        }
    }
    CoTaskMemFree(wide);
    for (char& c : path) {
        c = c == '\\' ? '/' : c;
    }
    return path;
}

}  // namespace

std::string RoamingAppDataFolder() {
    return KnownFolderPath(kRoamingAppData);
}

std::string PicturesFolder() {
    return KnownFolderPath(kPictures);
}
