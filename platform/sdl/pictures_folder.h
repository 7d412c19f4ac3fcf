// The desktop's pictures folder, inside which F9 screenshots get a folder of their own
// (screenshot_files.h).
//
// Desktops name it in user-dirs.dirs ($XDG_CONFIG_HOME, else ~/.config), a file of shell
// assignments written by xdg-user-dirs-update: XDG_PICTURES_DIR="$HOME/yyy" or
// XDG_PICTURES_DIR="/yyy", with backslash escapes inside the quotes and $HOME only at the start.
// The environment variable of the same name is not part of that file, but it is the easy way to
// send one run's screenshots elsewhere, so an absolute one goes first.
//
// pictures_folder_posix.cpp reads them; on Windows (pictures_folder_windows.cpp) PicturesDir is
// the user's Pictures known folder, and the user-dirs rules are not used.
#pragma once

#include <string>

// The folder that the last XDG_PICTURES_DIR assignment in the text of a user-dirs.dirs file
// names, with the leading $HOME replaced by `home`. Empty when no assignment names one: none
// is there, the value is empty, relative or malformed, or it starts at an empty home.
std::string PicturesDirFromUserDirs(const std::string& text, const std::string& home);

// `environment` (XDG_PICTURES_DIR, may be null) when it is an absolute path, else the folder
// that `userDirs` names; empty when neither names one, and the caller uses ~/Pictures.
std::string ChoosePicturesDir(const char* environment, const std::string& userDirs,
                              const std::string& home);

// The pictures folder of the user running the program, from the environment and the file;
// empty for the default. Reads a file: not for the frame path.
std::string PicturesDir();
