// GDI text on a surface's context: font objects, the face and code page, the colour, the
// background mode and clipping.
#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "platform/ddraw_fixture.h"
#include "platform/src/code_page.h"

namespace {

const char kMincho[] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";
constexpr COLORREF kEntry200 = RGB(200, 55, 100);  // exactly entry 200 of the fixture's palette

HFONT MakeFont(int height, const char* face, BYTE italic = 0) {
    LOGFONTA description = {};
    description.lfHeight = height;
    description.lfWeight = FW_NORMAL;
    description.lfItalic = italic;
    description.lfCharSet = SHIFTJIS_CHARSET;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&description);
}

struct TextCall {
    int x = 0;
    int y = 0;
    std::string text = "Game Over";
    int height = 48;
    const char* face = kMincho;
    int mode = TRANSPARENT;
    BYTE italic = 0;
};

// Draws as the game does: a fresh font, selected and deselected around one TextOutA.
BOOL Draw(IDirectDrawSurface7* surface, const TextCall& call) {
    HFONT font = MakeFont(call.height, call.face, call.italic);
    HDC dc = nullptr;
    EXPECT_EQ(surface->GetDC(&dc), DD_OK);
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, call.mode);
    SetTextColor(dc, kEntry200);
    BOOL drawn = TextOutA(dc, call.x, call.y, call.text.data(), static_cast<int>(call.text.size()));
    SelectObject(dc, previous);
    EXPECT_EQ(surface->ReleaseDC(dc), DD_OK);
    EXPECT_TRUE(DeleteObject(font));
    return drawn;
}

struct Ink {
    int pixels = 0;
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    int width() const { return pixels > 0 ? right - left : 0; }
    int height() const { return pixels > 0 ? bottom - top : 0; }
};

Ink InkOf(IDirectDrawSurface7* surface, int width, int height, uint8_t index = 200) {
    Ink ink;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (HeadlessSurfaceIndex(surface, x, y) == index) {
                ++ink.pixels;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x + 1);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
        }
    }
    return ink;
}

class GdiText : public DisplayTest {
protected:
    // The fixture's pattern without the text colour, so all ink shows.
    static void FillBackground(IDirectDrawSurface7* surface, int width, int height) {
        FillPattern(surface, width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (HeadlessSurfaceIndex(surface, x, y) == 200) {
                    HeadlessSetSurfaceIndex(surface, x, y, 0);
                }
            }
        }
    }
};

TEST_F(GdiText, TextIsTheNearestEntryAloneAndLeavesTheBackground) {
    FillBackground(back, 640, 480);
    const std::vector<uint8_t> before = HeadlessSurfaceIndices(back);
    ASSERT_TRUE(Draw(back, TextCall{40, 60}));
    const std::vector<uint8_t> after = HeadlessSurfaceIndices(back);
    int changed = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        if (after[i] != before[i]) {
            ++changed;
            EXPECT_EQ(after[i], 200) << i % 640 << "," << i / 640;
            EXPECT_GE(static_cast<int>(i / 640), 60);
            EXPECT_LT(static_cast<int>(i / 640), 60 + 48);
        }
    }
    EXPECT_GT(changed, 300);
    EXPECT_EQ(changed, InkOf(back, 640, 480).pixels);

    // An opaque background fills the cells too: one colour around the strokes.
    FillBackground(back, 640, 480);
    TextCall opaque{40, 60};
    opaque.mode = OPAQUE;
    ASSERT_TRUE(Draw(back, opaque));
    const Ink ink = InkOf(back, 640, 480);
    const uint8_t background = HeadlessSurfaceIndex(back, 40, 60);
    EXPECT_NE(background, 200);
    for (int y = ink.top; y < ink.bottom; ++y) {
        for (int x = ink.left; x < ink.right; ++x) {
            const uint8_t index = HeadlessSurfaceIndex(back, x, y);
            ASSERT_TRUE(index == 200 || index == background) << x << "," << y;
        }
    }
}

TEST_F(GdiText, TextOffTheEdgesIsClipped) {
    IDirectDrawSurface7* whole = MakeOffscreen(200, 60);
    IDirectDrawSurface7* shifted = MakeOffscreen(200, 60);
    ASSERT_TRUE(Draw(whole, TextCall{0, 0}));
    ASSERT_TRUE(Draw(shifted, TextCall{-20, -10}));
    ASSERT_GT(InkOf(shifted, 200, 60).pixels, 100);
    for (int y = 0; y + 10 < 60; ++y) {
        for (int x = 0; x + 20 < 200; ++x) {
            ASSERT_EQ(HeadlessSurfaceIndex(shifted, x, y),
                      HeadlessSurfaceIndex(whole, x + 20, y + 10))
                << x << "," << y;
        }
    }
    // Far outside, or where the pen position would overflow an int: nothing drawn, no harm.
    IDirectDrawSurface7* blank = MakeOffscreen(200, 60);
    for (int x : {INT_MIN, INT_MIN + 5, -5000, 5000, INT_MAX - 60, INT_MAX}) {
        for (int y : {INT_MIN, -100, 30, 100, INT_MAX - 5}) {
            TextCall far{x, y};
            far.text = std::string(40, 'W');
            EXPECT_TRUE(Draw(blank, far));
        }
    }
    EXPECT_EQ(InkOf(blank, 200, 60).pixels, 0);
    TextCall corner{190, 50};
    EXPECT_TRUE(Draw(blank, corner));
    EXPECT_GT(InkOf(blank, 200, 60).pixels, 0);
}

TEST_F(GdiText, FontsSelectIntoSurfaceContextsAndAreDeletedOnceFree) {
    HFONT font = MakeFont(32, kMincho);
    ASSERT_NE(font, nullptr);
    HDC dc = nullptr;
    ASSERT_EQ(back->GetDC(&dc), DD_OK);
    HGDIOBJ stock = SelectObject(dc, font);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(SelectObject(dc, font), font);
    EXPECT_FALSE(DeleteObject(font));  // still selected
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetTextColor(dc, kEntry200), RGB(0, 0, 0));
    EXPECT_TRUE(TextOutA(dc, 0, 0, "A", 1));

    // Releasing the context lets go of its font; the next GetDC starts afresh.
    ASSERT_EQ(back->ReleaseDC(dc), DD_OK);
    EXPECT_FALSE(TextOutA(dc, 0, 0, "A", 1));
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_FALSE(DeleteObject(font));
    ASSERT_EQ(back->GetDC(&dc), DD_OK);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetTextColor(dc, kEntry200), RGB(0, 0, 0));
    HFONT other = MakeFont(20, kMincho);
    EXPECT_EQ(SelectObject(dc, other), stock);
    EXPECT_EQ(SelectObject(dc, stock), other);
    EXPECT_TRUE(DeleteObject(stock));  // stock objects stay
    EXPECT_TRUE(TextOutA(dc, 0, 0, "A", 1));
    EXPECT_EQ(back->ReleaseDC(dc), DD_OK);
    EXPECT_TRUE(DeleteObject(other));

    // Many fonts alive at once outgrow the pool and still work.
    std::vector<HFONT> fonts;
    for (int i = 0; i < 40; ++i) {
        fonts.push_back(MakeFont(10 + i, kMincho));
        ASSERT_NE(fonts.back(), nullptr);
    }
    for (HFONT each : fonts) {
        EXPECT_TRUE(DeleteObject(each));
    }
    EXPECT_EQ(SetBkMode(nullptr, TRANSPARENT), 0);
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
}

TEST_F(GdiText, AnUnknownFaceFallsBackToTheJapaneseSerif) {
    IDirectDrawSurface7* mincho = MakeOffscreen(300, 60);
    IDirectDrawSurface7* unknown = MakeOffscreen(300, 60);
    IDirectDrawSurface7* nameless = MakeOffscreen(300, 60);
    ASSERT_TRUE(Draw(mincho, TextCall{}));
    TextCall call;
    call.face = "No Such Face Anywhere";
    ASSERT_TRUE(Draw(unknown, call));
    call.face = "";
    ASSERT_TRUE(Draw(nameless, call));
    EXPECT_GT(InkOf(mincho, 300, 60).pixels, 300);
    EXPECT_EQ(HeadlessSurfaceIndices(unknown), HeadlessSurfaceIndices(mincho));
    EXPECT_EQ(HeadlessSurfaceIndices(nameless), HeadlessSurfaceIndices(mincho));
}

TEST_F(GdiText, HeightsItalicsAndJapaneseText) {
    IDirectDrawSurface7* surface = MakeOffscreen(400, 200);
    auto inkFor = [&](TextCall call) {
        FillBackground(surface, 400, 200);
        EXPECT_TRUE(Draw(surface, call));
        return InkOf(surface, 400, 200);
    };
    TextCall cell;
    cell.text = "H";
    cell.height = 100;
    TextCall em = cell;
    em.height = -100;  // the em, not the cell: larger letters
    const Ink cellInk = inkFor(cell);
    const Ink emInk = inkFor(em);
    EXPECT_GT(emInk.height(), cellInk.height());
    EXPECT_LT(cellInk.bottom, 100);

    TextCall italic = cell;
    italic.italic = 1;
    const Ink italicInk = inkFor(italic);
    EXPECT_GT(italicInk.width(), cellInk.width());

    // Two-byte characters are one glyph each: 明朝 is two full-width glyphs, each about as wide
    // as the cell is high.
    TextCall kanji = cell;
    kanji.text = "\x96\xBE\x92\xA9";
    const Ink kanjiInk = inkFor(kanji);
    EXPECT_GT(kanjiInk.width(), 140);
    EXPECT_LT(kanjiInk.width(), 200);

    // A lead byte at the very end takes nothing after it.
    std::unique_ptr<char[]> lone(new char[1]{'\x96'});
    HFONT font = MakeFont(20, kMincho);
    HDC dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    HGDIOBJ previous = SelectObject(dc, font);
    EXPECT_TRUE(TextOutA(dc, 0, 0, lone.get(), 1));
    EXPECT_TRUE(TextOutA(dc, 0, 0, nullptr, 0));
    EXPECT_FALSE(TextOutA(dc, 0, 0, nullptr, 3));
    EXPECT_FALSE(TextOutA(dc, 0, 0, "A", -1));
    SelectObject(dc, previous);
    ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
    DeleteObject(font);
}

TEST(CodePage, ShiftJisDecodesToUnicode) {
    char utf8[100];
    EXPECT_EQ(CodePageToUtf8(SHIFTJIS_CHARSET, kMincho, utf8, sizeof utf8), 13u);
    EXPECT_STREQ(utf8, "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D");  // ＭＳ 明朝
    EXPECT_EQ(CodePageToUtf8(SHIFTJIS_CHARSET, kMincho, utf8, 5), 3u);        // what fits
    EXPECT_EQ(CodePageToUtf8(BYTE{0}, "caf\xE9", utf8, sizeof utf8), 5u);

    int used = 0;
    EXPECT_EQ(NextCharacter(SHIFTJIS_CHARSET, "A", 1, &used), U'A');
    EXPECT_EQ(used, 1);
    EXPECT_EQ(NextCharacter(SHIFTJIS_CHARSET, "\x96\xBE", 2, &used), U'明');
    EXPECT_EQ(used, 2);
    EXPECT_EQ(NextCharacter(SHIFTJIS_CHARSET, "\xB1", 1, &used), U'ｱ');  // half-width kana
    EXPECT_EQ(used, 1);
    EXPECT_EQ(NextCharacter(SHIFTJIS_CHARSET, "\x96", 1, &used), 0xFFFDu);
    EXPECT_EQ(used, 1);
    EXPECT_EQ(NextCharacter(SHIFTJIS_CHARSET, "\x81 ", 2, &used), 0xFFFDu);  // the space stays
    EXPECT_EQ(used, 1);
    EXPECT_EQ(NextCharacter(BYTE{0}, "\x80", 1, &used), U'€');
}

}  // namespace
