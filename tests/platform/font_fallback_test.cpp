// Text on a machine whose fonts are missing or broken: it is still drawn, by the built-in
// font, and a font file cut short under the program never crashes it. Each test sets up the
// fontconfig configuration of its own process (ctest runs every test in a process of its own).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ddraw_fixture.h"
#include "platform/src/font_cache.h"

namespace {

namespace fs = std::filesystem;

const char kMincho[] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";
const char kInstalledFace[] = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf";

int DrawText(IDirectDrawSurface7* surface, const char* text, int height) {
    LOGFONTA description = {};
    description.lfHeight = height;
    description.lfCharSet = SHIFTJIS_CHARSET;
    std::strncpy(description.lfFaceName, kMincho, LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectA(&description);
    HDC dc = nullptr;
    EXPECT_EQ(surface->GetDC(&dc), DD_OK);
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(200, 55, 100));  // entry 200 of the fixture's palette
    EXPECT_TRUE(TextOutA(dc, 0, 0, text, static_cast<int>(std::strlen(text))));
    SelectObject(dc, previous);
    surface->ReleaseDC(dc);
    DeleteObject(font);
    int ink = 0;
    for (uint8_t index : HeadlessSurfaceIndices(surface)) {
        ink += index == 200 ? 1 : 0;
    }
    return ink;
}

// A fontconfig configuration that knows only the fonts in `folder`.
class FontFallback : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        folder_ = fs::temp_directory_path() / ("zephyx-fonts-" + std::to_string(getpid()));
        fs::create_directories(folder_ / "fonts");
        const fs::path config = folder_ / "fonts.conf";
        std::ofstream(config) << "<?xml version=\"1.0\"?><fontconfig><dir>"
                              << (folder_ / "fonts").string() << "</dir><cachedir>"
                              << (folder_ / "cache").string() << "</cachedir></fontconfig>\n";
        setenv("FONTCONFIG_FILE", config.c_str(), 1);
        FontCacheSetFallbackFile((folder_ / "not-there.ttf").c_str());
    }

    void TearDown() override {
        fs::remove_all(folder_);
        DisplayTest::TearDown();
    }

    fs::path folder_;
};

}  // namespace

TEST_F(FontFallback, WithNoFaceAtAllTheBuiltInFontDrawsAndSaysSo) {
    IDirectDrawSurface7* surface = MakeOffscreen(640, 160);
    testing::internal::CaptureStderr();
    const int ink = DrawText(surface, "Game Over", 128);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_GT(ink, 2000) << "Game Over at 128 pixels is drawn";
    EXPECT_NE(said.find("fonts-ipafont-mincho"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    testing::internal::CaptureStderr();
    DrawText(MakeOffscreen(640, 80), "SCORE 120", 64);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "said once, not for every font";
}

TEST_F(FontFallback, AFaceCutShortWhileInUseNeverCrashes) {
    if (!fs::exists(kInstalledFace)) {
        GTEST_SKIP() << kInstalledFace << " is not installed";
    }
    const fs::path copy = folder_ / "fonts" / "face.ttf";
    fs::copy_file(kInstalledFace, copy);
    EXPECT_GT(DrawText(MakeOffscreen(640, 80), "A", 64), 100) << "the copy draws while whole";
    fs::resize_file(copy, 4096);  // cut short in place, the face still open
    testing::internal::CaptureStderr();
    // Glyphs not yet read from the open face come out empty (a mapped file would crash here).
    DrawText(MakeOffscreen(640, 80), "SCORE 120", 64);
    EXPECT_GT(DrawText(MakeOffscreen(640, 160), "Game Over", 128), 2000)
        << "a new size cannot open the face and falls back to the built-in font";
    testing::internal::GetCapturedStderr();
}
