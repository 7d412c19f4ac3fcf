// Where F9 screenshots go and what they are called.
//
// The folder is zephyx/ in the pictures folder (pictures_folder.h), else ~/Pictures/zephyx, made
// as needed; only when neither can be made, the current folder. Files are named by the local date
// and time, with a number added when one of that name already exists.
#pragma once

#include <ctime>
#include <string>
#include <vector>

// The folders to try, in order: from the pictures folder and HOME (either may be null or empty),
// and last the current folder ".".
std::vector<std::string> ScreenshotFolders(const char* picturesDir, const char* home);

// "zephyx-YYYY-MM-DD-HHMMSS.png" for `when`, or with "-N" before ".png" for attempt N > 1.
std::string ScreenshotFileName(const std::tm& when, int attempt);

// Makes `folder` and any missing parents; true when it exists as a folder afterwards.
bool MakeFolders(const std::string& folder);

// A path in the first folder of `folders` that exists or can be made, for a new file named
// after `when`; empty when no folder can be used.
std::string NewScreenshotPath(const std::vector<std::string>& folders, const std::tm& when);
