#include "known_folder_windows.h"
#include "pictures_folder.h"

// The user's Pictures folder, wherever the user has moved it.
std::string PicturesDir() {
    return PicturesFolder();
}
