// The committed bitmaps and icons are exactly what the generator in tools/ draws today.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <stdlib.h>
#include <sys/wait.h>

#include "assets/bitmap_file.h"

namespace {

constexpr int kExitFontMissing = 3;  // the generator's answer when a font is not installed

// A fresh folder that is removed with the object.
struct TemporaryFolder {
    std::string path;
    TemporaryFolder() {
        char pattern[] = "/tmp/zephyx-assetgen-XXXXXX";
        path = mkdtemp(pattern) ? pattern : "";
    }
    ~TemporaryFolder() {
        if (!path.empty()) {
            std::filesystem::remove_all(path);
        }
    }
};

// Runs the generator with `arguments` and gives its exit code.
int RunGenerator(const std::string& arguments) {
    const std::string command = std::string("'") + ZEPHYX_ASSETGEN + "' " + arguments;
    const int status = std::system(command.c_str());
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The offset of the first byte where the files differ, or SIZE_MAX where they are the same.
size_t FirstDifference(const std::string& made, const std::string& committed) {
    const std::vector<char> a = ReadBytes(made);
    const std::vector<char> b = ReadBytes(committed);
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) {
        ++at;
    }
    return at == a.size() && at == b.size() ? SIZE_MAX : at;
}

TEST(AssetGenerator, ReproducesTheCommittedBitmapsByteForByte) {
    TemporaryFolder dir;
    ASSERT_FALSE(dir.path.empty());
    const int code = RunGenerator("'" + dir.path + "'");
    if (code == kExitFontMissing) {
        GTEST_SKIP() << "the generator's fonts are not installed (fonts-ipafont-mincho and "
                        "fonts-dejavu-core), so the title cannot be redrawn here";
    }
    ASSERT_EQ(code, 0);

    for (const char* name : {"BACKIMG", "CHAR", "STRINGS", "TITLE"}) {
        const std::string file = std::string("/") + name + ".bmp";
        ASSERT_FALSE(ReadBitmapFile(ZEPHYX_ASSET_DIR + file).bytes.empty()) << name;
        EXPECT_EQ(FirstDifference(dir.path + file, ZEPHYX_ASSET_DIR + file), SIZE_MAX)
            << name << " differs from that byte on: rerun zephyx_assetgen";
    }
}

TEST(AssetGenerator, ReproducesTheCommittedIconsByteForByte) {
    TemporaryFolder dir;
    ASSERT_FALSE(dir.path.empty());
    ASSERT_EQ(RunGenerator("--icons '" + dir.path + "'"), 0);

    size_t made = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path)) {
        const std::string name = entry.path().filename();
        const std::string committed = std::string(ZEPHYX_ICON_DIR) + "/" + name;
        ASSERT_TRUE(std::filesystem::exists(committed)) << name << " is not committed";
        EXPECT_EQ(FirstDifference(entry.path(), committed), SIZE_MAX)
            << name << " differs from that byte on: rerun zephyx_assetgen --icons";
        ++made;
    }
    // Six PNG sizes, the Windows icon and the window icon.
    EXPECT_EQ(made, 8u);
}

}  // namespace
