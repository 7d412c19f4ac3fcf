// The pictures folder as desktops name it in user-dirs.dirs, and the environment before it.
#include <gtest/gtest.h>

#include <string>

#include "platform/sdl/pictures_folder.h"

namespace {

struct PicturesCase {
    const char* environment;
    const char* home;
    const char* userDirs;
    const char* expected;
};

const PicturesCase kCases[] = {
    {nullptr, "/h", "# xdg-user-dirs\nXDG_DESKTOP_DIR=\"$HOME/D\"\nXDG_PICTURES_DIR=\"$HOME/B\"\n",
     "/h/B"},
    {nullptr, "/h", "XDG_PICTURES_DIR=\"/srv/shots\"", "/srv/shots"},
    // $HOME is the home folder only as the whole value or before a slash.
    {nullptr, "/h", "XDG_PICTURES_DIR=\"$HOME\"", "/h"},
    {nullptr, "/h", "XDG_PICTURES_DIR=\"$HOME/\"", "/h"},
    {nullptr, "/h", "XDG_PICTURES_DIR=\"$HOMEfoo\"", ""},
    {nullptr, "/h", "XDG_PICTURES_DIR=\"\\$HOME/x\"", ""},
    {nullptr, "/h", "XDG_PICTURES_DIR=\"/srv/$HOME\"", "/srv/$HOME"},
    {nullptr, "", "XDG_PICTURES_DIR=\"$HOME/B\"", ""},
    // Escapes inside the quotes; what follows the closing quote is not the value.
    {nullptr, "/h", "XDG_PICTURES_DIR=\"$HOME/My \\\"Shots\\\"\"", "/h/My \"Shots\""},
    {nullptr, "/h", "XDG_PICTURES_DIR=\"/a\\\\b \\$c\" # old", "/a\\b $c"},
    // Empty and relative values mean the default, as does a line that is no assignment.
    {nullptr, "/h", "XDG_PICTURES_DIR=\"\"", ""},
    {nullptr, "/h", "XDG_PICTURES_DIR=\"Pictures\"", ""},
    {nullptr, "/h", "#XDG_PICTURES_DIR=\"/a\"\nXDG_PICTURES_DIR=/b\nMY_XDG_PICTURES_DIR=\"/c\"",
     ""},
    // As the shell reads the file: indented lines count, and the last assignment wins.
    {nullptr, "/h", " \tXDG_PICTURES_DIR=\"/a\"", "/a"},
    {nullptr, "/h", "XDG_PICTURES_DIR=\"/a\"\nXDG_PICTURES_DIR=\"/b\"", "/b"},
    {nullptr, "/h", "XDG_PICTURES_DIR=\"/a\"\nXDG_PICTURES_DIR=\"\"", ""},
    {nullptr, "/h", "XDG_PICTURES_DIR=\"/a\"\nXDG_PICTURES_DIR=\"/b", "/a"},
    // An absolute folder in the environment goes first; anything else there is ignored.
    {"/run/shots", "/h", "XDG_PICTURES_DIR=\"/a\"", "/run/shots"},
    {"", "/h", "XDG_PICTURES_DIR=\"/a\"", "/a"},
    {"shots", "/h", "XDG_PICTURES_DIR=\"/a\"", "/a"},
};

TEST(PicturesFolderTest, UserDirsAssignmentsAndTheEnvironment) {
    for (const PicturesCase& row : kCases) {
        SCOPED_TRACE(std::string("environment ") + (row.environment ? row.environment : "unset") +
                     ", home \"" + row.home + "\", file:\n" + row.userDirs);
        EXPECT_EQ(ChoosePicturesDir(row.environment, row.userDirs, row.home), row.expected);
    }
}

}  // namespace
