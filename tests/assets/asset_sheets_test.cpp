// The regions and colours of the four bitmaps that the game's loaders and drawing rely on.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "assets/bitmap_file.h"

namespace {

constexpr int kClear = 145;
constexpr int kCharClear = 144;
using Colour = std::array<int, 3>;
constexpr Colour kClearColour{21, 141, 91};

const BitmapFile& Sheet(const std::string& name) {
    static std::map<std::string, BitmapFile> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        it =
            cache.emplace(name, ReadBitmapFile(std::string(ZEPHYX_ASSET_DIR) + "/" + name + ".bmp"))
                .first;
    }
    return it->second;
}

int Distance2(const Colour& a, const Colour& b) {
    const int dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return dr * dr + dg * dg + db * db;
}

// The display entry a colour lands on when a sheet with its own table is loaded.
int NearestDisplayEntry(const Colour& c) {
    const auto& display = Sheet("BACKIMG").colours;
    int best = 0;
    for (int i = 1; i < 256; ++i) {
        if (Distance2(display[i], c) < Distance2(display[best], c)) {
            best = i;
        }
    }
    return best;
}

// CHAR as the game sees it after loading: display palette indices.
const std::vector<uint8_t>& LoadedChar() {
    static const std::vector<uint8_t> loaded = [] {
        const BitmapFile& sheet = Sheet("CHAR");
        std::vector<uint8_t> out(sheet.pixels.size());
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] = uint8_t(NearestDisplayEntry(sheet.colours[sheet.pixels[i]]));
        }
        return out;
    }();
    return loaded;
}

uint8_t CharAt(int x, int y) {
    return LoadedChar()[size_t(y) * 288 + x];
}

struct Ink {
    int count = 0, left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;  // inclusive box
};

Ink CharInk(int x0, int y0, int w, int h) {
    Ink ink;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            if (CharAt(x, y) != kClear) {
                ++ink.count;
                ink.left = std::min(ink.left, x - x0);
                ink.right = std::max(ink.right, x - x0);
                ink.top = std::min(ink.top, y - y0);
                ink.bottom = std::max(ink.bottom, y - y0);
            }
        }
    }
    return ink;
}

std::vector<uint8_t> CharCell(int x0, int y0, int w, int h) {
    std::vector<uint8_t> cell;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            cell.push_back(CharAt(x, y));
        }
    }
    return cell;
}

TEST(AssetFiles, HeadersSizesAndLengthsAreWhatTheLoadersRead) {
    struct Expect {
        const char* name;
        int width, height;
        size_t resourceBytes;
    };
    for (const Expect& e : {Expect{"BACKIMG", 640, 640, 410664}, Expect{"CHAR", 288, 384, 111656},
                            Expect{"STRINGS", 600, 96, 58664}, Expect{"TITLE", 640, 480, 308264}}) {
        SCOPED_TRACE(e.name);
        const BitmapFile& bmp = Sheet(e.name);
        ASSERT_EQ(bmp.bytes.size(), e.resourceBytes + 14);
        EXPECT_EQ(bmp.bytes[0], 'B');
        EXPECT_EQ(bmp.bytes[1], 'M');
        EXPECT_EQ(bmp.U32(2), e.resourceBytes + 14);
        EXPECT_EQ(bmp.U32(10), 1078u);
        EXPECT_EQ(bmp.U32(14), 40u);
        EXPECT_EQ(bmp.width, e.width);
        EXPECT_EQ(bmp.height, e.height);  // positive: bottom row first
        EXPECT_EQ(bmp.U16(26), 1);
        EXPECT_EQ(bmp.U16(28), 8);
        EXPECT_EQ(bmp.U32(30), 0u);
        EXPECT_EQ(bmp.U32(34), uint32_t(e.width * e.height));
        for (size_t at : {38u, 42u, 46u, 50u}) {
            EXPECT_EQ(bmp.U32(at), 0u) << "at " << at;
        }
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(bmp.bytes[54 + i * 4 + 3], 0) << "colour " << i;
        }
    }
}

TEST(AssetPalette, DisplayPaletteHoldsTheNamedEntriesOnceEach) {
    const auto& display = Sheet("BACKIMG").colours;
    EXPECT_EQ(display[0], (Colour{8, 5, 7}));
    EXPECT_EQ(display[25], (Colour{185, 196, 188}));
    EXPECT_EQ(display[128], (Colour{7, 4, 48}));
    EXPECT_EQ(display[140], (Colour{121, 134, 150}));
    EXPECT_EQ(display[145], kClearColour);
    EXPECT_EQ(display[240], (Colour{251, 254, 16}));
    EXPECT_EQ(std::set<Colour>(display.begin(), display.end()).size(), 256u);
    EXPECT_EQ(Sheet("STRINGS").colours, display);
    EXPECT_EQ(Sheet("TITLE").colours, display);
}

TEST(AssetPalette, CharTableDiffersEverywhereAndConvertsUnambiguously) {
    const BitmapFile& sheet = Sheet("CHAR");
    const auto& display = Sheet("BACKIMG").colours;
    for (int i = 0; i < 256; ++i) {
        EXPECT_NE(sheet.colours[i], display[i]) << "entry " << i;
    }
    EXPECT_EQ(sheet.colours[kCharClear], kClearColour);
    EXPECT_EQ(sheet.At(0, 0), kCharClear);

    // Every colour the sheet uses sits right next to one display colour and far from all
    // others, so any nearest-colour rule lands on the same entry.
    std::set<uint8_t> used(sheet.pixels.begin(), sheet.pixels.end());
    for (uint8_t index : used) {
        const Colour& c = sheet.colours[index];
        std::vector<int> d;
        for (const Colour& p : display) {
            d.push_back(Distance2(c, p));
        }
        std::sort(d.begin(), d.end());
        EXPECT_LE(d[0], 3) << "entry " << int(index);
        EXPECT_GE(d[1], 25) << "entry " << int(index);
        const bool clear = index == kCharClear;
        EXPECT_EQ(NearestDisplayEntry(c) == kClear, clear) << "entry " << int(index);
    }
}

TEST(AssetStrings, BlankCellsAreClearAndEveryGlyphIsShadedToWhite) {
    const BitmapFile& font = Sheet("STRINGS");
    const auto& display = font.colours;
    auto cellInk = [&](int code, int row, int& white) {
        int ink = 0;
        white = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 8; ++x) {
                const uint8_t p = font.At((code - 32) * 8 + x, row * 16 + y);
                ink += p != kClear;
                white += (y == 7 || y == 8) && display[p] == Colour{255, 255, 255};
            }
        }
        return ink;
    };
    EXPECT_EQ(font.At(0, 0), kClear);
    for (int row = 0; row < 6; ++row) {
        int white = 0;
        EXPECT_EQ(cellInk(32, row, white), 0) << "space, row " << row;
        for (int code = 95; code <= 106; ++code) {
            EXPECT_EQ(cellInk(code, row, white), 0) << "code " << code << ", row " << row;
        }
    }
    for (int row = 0; row < 5; ++row) {
        for (int code = 33; code <= 94; ++code) {
            int white = 0;
            EXPECT_GT(cellInk(code, row, white), 3) << "code " << code << ", row " << row;
            // Glyphs with a stroke across the middle show white there.
            if (code >= '0' && code <= 'Z' && code != ':' && code != ';' && code != '=') {
                EXPECT_GT(white, 0) << "code " << code << ", row " << row;
            }
        }
    }
    // The score's row is the prompt's yellow at the glyph edges.
    int yellow = 0;
    for (int y = 16; y < 32; ++y) {
        for (int x = 0; x < 600; ++x) {
            yellow += font.At(x, y) == 240;
        }
    }
    EXPECT_GT(yellow, 62);
    // Row 5: cyan boxes in cells 1 to 5 and nothing else.
    for (int code = 32; code <= 106; ++code) {
        int white = 0;
        const int ink = cellInk(code, 5, white);
        EXPECT_EQ(ink > 0, code >= 33 && code <= 37) << "row 5, cell " << code - 32;
    }
}

TEST(AssetTitle, TheLogoStaysInItsBoxInItsGrey) {
    const BitmapFile& title = Sheet("TITLE");
    EXPECT_EQ(title.At(0, 0), kClear);
    EXPECT_EQ(title.At(0, 100), kClear);
    int logo = 0, left = 640, right = -1;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 640; ++x) {
            const uint8_t p = title.At(x, y);
            if (p == kClear) {
                continue;
            }
            ASSERT_EQ(p, 25) << x << "," << y;
            EXPECT_TRUE(x >= 23 && x <= 605 && y >= 9 && y <= 86) << x << "," << y;
            ++logo;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    EXPECT_GT(logo, 4000);  // large characters, not a sprinkle
    EXPECT_LT(left, 40);
    EXPECT_GT(right, 590);
}

TEST(AssetTitle, ThePromptFillsItsBoxInTheOneYellow) {
    const BitmapFile& title = Sheet("TITLE");
    Ink prompt;
    for (int y = 100; y < 135; ++y) {
        for (int x = 0; x < 640; ++x) {
            const uint8_t p = title.At(x, y);
            if (p == kClear) {
                continue;
            }
            ASSERT_EQ(p, 240) << "the prompt band holds a colour besides the prompt's yellow at "
                              << x << "," << y;
            ++prompt.count;
            prompt.left = std::min(prompt.left, x);
            prompt.right = std::max(prompt.right, x);
            prompt.top = std::min(prompt.top, y);
            prompt.bottom = std::max(prompt.bottom, y);
        }
    }
    EXPECT_GT(prompt.count, 1500) << "the letters are large and bold, not a thin outline";
    // Its ink touches every side of the box (138, 103)-(487, 127), right and bottom exclusive,
    // and goes no further.
    EXPECT_EQ(prompt.left, 138) << "the prompt does not start at the box's left edge";
    EXPECT_EQ(prompt.right, 486) << "the prompt does not end at the box's right edge";
    EXPECT_EQ(prompt.top, 103) << "the prompt does not reach the box's top";
    EXPECT_EQ(prompt.bottom, 126) << "the prompt does not reach the box's bottom";
}

TEST(AssetBackground, PanelsAreBlueGreyAndThePlayBandIsAStarField) {
    const BitmapFile& back = Sheet("BACKIMG");
    int nearBlack = 0, white = 0;
    for (int y = 0; y < 640; ++y) {
        for (int x = 0; x < 640; ++x) {
            const uint8_t p = back.At(x, y);
            if (x < 150 || x >= 630) {
                ASSERT_EQ(p, 140) << x << "," << y;
            } else {
                nearBlack += p == 0;
                white += back.colours[p] == Colour{255, 255, 255};
            }
        }
    }
    EXPECT_GT(nearBlack, 480 * 640 / 4);  // a dark field
    EXPECT_GT(white, 0);                  // the bright star's core
    for (int y = 0; y < 480; ++y) {
        EXPECT_NE(back.At(150, y), 140) << y;
    }
}

TEST(AssetSprites, ShipStaysInItsColumnsAndSwingsBothWays) {
    std::vector<std::vector<uint8_t>> frames;
    for (int f = 0; f < 8; ++f) {
        const Ink ink = CharInk(f * 32, 0, 32, 32);
        EXPECT_GT(ink.count, 150) << "frame " << f;
        EXPECT_GE(ink.left, 7) << "frame " << f;
        EXPECT_LE(ink.right, 24) << "frame " << f;
        frames.push_back(CharCell(f * 32, 0, 32, 32));
    }
    EXPECT_EQ(CharInk(256, 0, 32, 32).count, 0);
    // Still, right and left pairs all differ, and so do the members of each pair.
    for (int a = 2; a < 8; ++a) {
        for (int b = a + 1; b < 8; ++b) {
            EXPECT_NE(frames[a], frames[b]) << a << " vs " << b;
        }
    }
    // The base leans opposite ways: compare where the bottom rows' ink sits.
    auto baseCentre = [](int f) {
        const Ink ink = CharInk(f * 32, 26, 32, 3);
        return ink.left + ink.right;
    };
    EXPECT_LT(baseCentre(4), baseCentre(2));
    EXPECT_GT(baseCentre(6), baseCentre(2));
}

TEST(AssetSprites, EnemyFillsItsCellBelowTheTopRowsAndBeatsItsWings) {
    std::vector<std::vector<uint8_t>> frames;
    for (int f = 0; f < 6; ++f) {
        const Ink ink = CharInk(f * 48, 128, 48, 48);
        EXPECT_EQ(ink.top, 6) << "frame " << f;
        EXPECT_EQ(ink.bottom, 47) << "frame " << f;
        EXPECT_GT(ink.count, 48 * 20) << "frame " << f;
        frames.push_back(CharCell(f * 48, 128, 48, 48));
    }
    for (int a = 0; a < 6; ++a) {
        for (int b = a + 1; b < 6; ++b) {
            EXPECT_NE(frames[a], frames[b]) << a << " vs " << b;
        }
    }
}

TEST(AssetSprites, ExplosionShotAndBulletsAreWhereTheGameLooks) {
    // Explosion: crosses 8, 14 and 16 pixels across, then nothing in the rest of the band.
    EXPECT_EQ(CharInk(0, 256, 16, 16).right - CharInk(0, 256, 16, 16).left + 1, 8);
    EXPECT_EQ(CharInk(16, 256, 16, 16).right - CharInk(16, 256, 16, 16).left + 1, 14);
    EXPECT_EQ(CharInk(32, 256, 16, 16).right - CharInk(32, 256, 16, 16).left + 1, 16);
    EXPECT_EQ(CharInk(48, 256, 240, 16).count, 0);

    // The shot: a picture in its off-grid rectangle, red and yellow.
    const auto& display = Sheet("BACKIMG").colours;
    int reddish = 0, yellowish = 0;
    for (uint8_t p : CharCell(175, 335, 16, 16)) {
        if (p == kClear) {
            continue;
        }
        const Colour& c = display[p];
        reddish += c[0] > 180 && c[1] < 110;
        yellowish += c[0] > 200 && c[1] > 200 && c[2] < 150;
    }
    EXPECT_GT(reddish, 4);
    EXPECT_GT(yellowish, 4);

    // Bullets: each of the six frames fills its cell, red first, blue halfway, and each
    // frame's colours differ from the next.
    auto redBlue = [&](int f, int& red, int& blue) {
        red = blue = 0;
        for (uint8_t p : CharCell(f * 8, 376, 8, 8)) {
            if (p != kClear) {
                red += display[p][0] > display[p][2];
                blue += display[p][2] > display[p][0];
            }
        }
    };
    for (int f = 0; f < 6; ++f) {
        const Ink ink = CharInk(f * 8, 376, 8, 8);
        EXPECT_TRUE(ink.left == 0 && ink.top == 0 && ink.right == 7 && ink.bottom == 7)
            << "frame " << f;
        EXPECT_NE(CharCell(f * 8, 376, 8, 8), CharCell((f + 1) % 6 * 8, 376, 8, 8)) << f;
    }
    int red = 0, blue = 0;
    redBlue(0, red, blue);
    EXPECT_GT(red, 40);
    EXPECT_EQ(blue, 0);
    redBlue(3, red, blue);
    EXPECT_GT(blue, 40);
    EXPECT_EQ(red, 0);
    redBlue(1, red, blue);
    EXPECT_TRUE(red > 0 && blue > 0);
}

}  // namespace
