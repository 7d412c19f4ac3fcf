// The committed bitmaps are exactly what the generator in tools/ draws today.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>
#include <sys/wait.h>

#include "assets/bitmap_file.h"

namespace {

constexpr int kExitFontMissing = 3;  // the generator's answer when a font is not installed

TEST(AssetGenerator, ReproducesTheCommittedBitmapsByteForByte) {
    char pattern[] = "/tmp/zephyx-assetgen-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string dir = pattern;

    const std::string command = std::string("'") + ZEPHYX_ASSETGEN + "' '" + dir + "'";
    const int status = std::system(command.c_str());
    ASSERT_NE(status, -1);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == kExitFontMissing) {
        std::filesystem::remove_all(dir);
        GTEST_SKIP() << "the generator's fonts are not installed (fonts-ipafont-mincho and "
                        "fonts-dejavu-core), so the title cannot be redrawn here";
    }
    ASSERT_EQ(code, 0) << command;

    for (const char* name : {"BACKIMG", "CHAR", "STRINGS", "TITLE"}) {
        const BitmapFile made = ReadBitmapFile(dir + "/" + name + ".bmp");
        const BitmapFile committed =
            ReadBitmapFile(std::string(ZEPHYX_ASSET_DIR) + "/" + name + ".bmp");
        ASSERT_FALSE(committed.bytes.empty()) << name;
        ASSERT_EQ(made.bytes.size(), committed.bytes.size()) << name;
        size_t firstDifference = 0;
        while (firstDifference < made.bytes.size() &&
               made.bytes[firstDifference] == committed.bytes[firstDifference]) {
            ++firstDifference;
        }
        EXPECT_EQ(firstDifference, made.bytes.size())
            << name << " differs from byte " << firstDifference << " on: rerun zephyx_assetgen";
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
