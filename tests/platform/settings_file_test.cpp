// The settings file: what a player's choices look like on disk, and what happens when the file
// is missing, damaged or cannot be written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sdl/settings_file.h"
#include "platform/sdl/settings_folder.h"

namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zephyx-settings-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        path_ = folder_ + "/zephyx/settings";
    }
    void TearDown() override { fs::remove_all(folder_); }
    void Put(const std::string& text) {
        fs::create_directories(fs::path(path_).parent_path());
        std::ofstream(path_, std::ios::binary) << text;
    }
    OptionWords Read(std::string* problem) { return ReadSettingsFile(path_, problem); }

    std::string folder_;
    std::string path_;
};

TEST_F(SettingsFileTest, WrittenChoicesReadBackAndNoTemporaryFileStays) {
    std::string problem = "stale";
    EXPECT_TRUE(Read(&problem).empty());
    EXPECT_EQ(problem, "") << "no file yet is no problem";

    const OptionWords words = {{"window", "1"}, {"scale", "fit"}};
    ASSERT_TRUE(WriteSettingsFile(path_, words)) << "the missing folders are made";
    EXPECT_EQ(Read(&problem), words);
    EXPECT_EQ(problem, "");
    ASSERT_TRUE(WriteSettingsFile(path_, {{"window", "0"}}));
    EXPECT_FALSE(WriteSettingsFile(path_ + "/below-a-file", {{"window", "1"}}));
    EXPECT_EQ(Read(&problem), (OptionWords{{"window", "0"}})) << "a failed write keeps it";
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path_).parent_path()), {}), 1);
}

TEST_F(SettingsFileTest, ADamagedFileIsNoSettingsAndSaysWhy) {
    const struct {
        std::string text;
        std::string problem;
    } cases[] = {
        {"# comment\n\nscale=fit\r\nwindow\n", "line 4 is not understood"},
        {"colour=blue\n", "line 1 is not understood"},
        {std::string(5000, 'x'), "the file is too large to be ZEPHYX's"},
    };
    for (const auto& c : cases) {
        Put(c.text);
        std::string problem;
        EXPECT_TRUE(Read(&problem).empty()) << c.problem;
        EXPECT_EQ(problem, c.problem);
    }
    fs::remove(path_);
    fs::create_directories(path_);
    std::string problem;
    EXPECT_TRUE(Read(&problem).empty());
    EXPECT_NE(problem, "") << "a folder where the file should be";
}

const char* gConfigHome;
const char* gHome;
const char* LookUp(const char* name) {
    return std::string(name) == "XDG_CONFIG_HOME" ? gConfigHome : gHome;
}

TEST(SettingsFolderTest, TheBaseDirectoryRules) {
    const struct {
        const char* configHome;
        const char* home;
        std::string folder;
    } cases[] = {
        {"/cfg", "/home/p", "/cfg/zephyx"},
        {nullptr, "/home/p", "/home/p/.config/zephyx"},
        {"relative", "/home/p", "/home/p/.config/zephyx"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        gConfigHome = c.configHome;
        gHome = c.home;
        EXPECT_EQ(SettingsFolder(LookUp), c.folder);
    }
}

}  // namespace
