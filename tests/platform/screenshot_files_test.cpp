// Where F9 screenshots go, what they are called, and the PNG writer behind them and the
// headless capture, read back with libpng.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ddraw_fixture.h"
#include "headless.h"
#include "platform/sdl/screenshot_files.h"
#include "platform/src/png_file.h"
#include "support/png_pixels.h"
#include "support/temporary_folder.h"

namespace {

std::tm When() {
    std::tm when = {};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 7;
    when.tm_hour = 9;
    when.tm_min = 5;
    when.tm_sec = 3;
    return when;
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void Touch(const std::string& path) {
    FILE* file = fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr) << path;
    fclose(file);
}

TEST(ScreenshotFilesTest, PicturesFolderFirstThenHomeThenHere) {
    EXPECT_EQ(ScreenshotFolders("/p", "/h"),
              (std::vector<std::string>{"/p/zephyx", "/h/Pictures/zephyx", "."}));
    EXPECT_EQ(ScreenshotFolders(nullptr, "/h"),
              (std::vector<std::string>{"/h/Pictures/zephyx", "."}));
    EXPECT_EQ(ScreenshotFolders("", nullptr), (std::vector<std::string>{"."}));
}

TEST(ScreenshotFilesTest, NamedByDateAndTimeWithANumberForTheSameSecond) {
    EXPECT_EQ(ScreenshotFileName(When(), 1), "zephyx-2026-03-07-090503.png");
    EXPECT_EQ(ScreenshotFileName(When(), 2), "zephyx-2026-03-07-090503-2.png");
}

TEST(ScreenshotFilesTest, MissingFoldersAreMadeAndTakenNamesSkipped) {
    TemporaryFolder temporary;
    std::string folder = temporary.path() + "/home/Pictures/zephyx";
    std::string path = NewScreenshotPath({folder, "."}, When());
    EXPECT_EQ(path, folder + "/zephyx-2026-03-07-090503.png");
    EXPECT_TRUE(IsFolder(folder));
    Touch(path);
    EXPECT_EQ(NewScreenshotPath({folder}, When()), folder + "/zephyx-2026-03-07-090503-2.png");
}

TEST(ScreenshotFilesTest, AFolderThatCannotBeMadeFallsThroughToTheNext) {
    TemporaryFolder temporary;
    std::string blocker = temporary.path() + "/file";
    Touch(blocker);
    std::string fallback = temporary.path() + "/fallback";
    EXPECT_EQ(NewScreenshotPath({blocker + "/zephyx", fallback}, When()),
              fallback + "/zephyx-2026-03-07-090503.png");
    EXPECT_EQ(NewScreenshotPath({blocker + "/zephyx"}, When()), "");
}

TEST(PngFileTest, WritesExactlyThePixelsGiven) {
    TemporaryFolder temporary;
    const int width = 37, height = 5;
    std::vector<uint8_t> rgb(width * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<uint8_t>(i * 7 + i / 3);
    }
    std::string path = temporary.path() + "/picture.png";
    std::string error;
    ASSERT_TRUE(WriteRgbPng(path.c_str(), rgb.data(), width, height, error)) << error;
    int readWidth = 0, readHeight = 0;
    EXPECT_EQ(ReadPngRgb(path, &readWidth, &readHeight), rgb);
    EXPECT_EQ(readWidth, width);
    EXPECT_EQ(readHeight, height);
}

TEST(PngFileTest, AFailedWriteSaysWhyAndLeavesNoFile) {
    TemporaryFolder temporary;
    uint8_t rgb[3] = {1, 2, 3};
    std::string error;
    std::string path = temporary.path() + "/missing/picture.png";
    EXPECT_FALSE(WriteRgbPng(path.c_str(), rgb, 1, 1, error));
    EXPECT_EQ(error, "No such file or directory");
    if (access("/dev/full", W_OK) == 0) {
        std::vector<uint8_t> big(640 * 480 * 3, 0x55);
        EXPECT_FALSE(WriteRgbPng("/dev/full", big.data(), 640, 480, error));
        EXPECT_EQ(error, "No space left on device");
    }
}

using HeadlessCaptureTest = DisplayTest;

TEST_F(HeadlessCaptureTest, WritesThePresentedPictureThroughThePalette) {
    TemporaryFolder temporary;
    std::string path = temporary.path() + "/capture.png";
    EXPECT_FALSE(HeadlessWritePresentedPng(path.c_str())) << "nothing presented yet";
    FillPattern(back, 640, 480);
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    ASSERT_TRUE(HeadlessWritePresentedPng(path.c_str()));
    int width = 0, height = 0;
    std::vector<uint8_t> rgb = ReadPngRgb(path, &width, &height);
    ASSERT_EQ(width, 640);
    ASSERT_EQ(height, 480);
    EXPECT_EQ(rgb, HeadlessPresentedRgb());
    // Pattern index (x + 7y) % 256 through the palette (i, 255 - i, i / 2), except the two
    // entries an exclusive display keeps black and white.
    const uint8_t* pixel = &rgb[(2 * 640 + 5) * 3];
    EXPECT_EQ(pixel[0], 19);
    EXPECT_EQ(pixel[1], 236);
    EXPECT_EQ(pixel[2], 9);
}

}  // namespace
