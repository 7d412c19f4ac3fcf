// zephyx_assetgen OUTDIR: draws BACKIMG, CHAR, STRINGS and TITLE and writes them as .bmp files
// into OUTDIR. The output depends on nothing but this program and the two font files, so a
// rerun reproduces the committed bitmaps byte for byte.
// zephyx_assetgen --icons OUTDIR: draws the program's icons from the sprite sheet and writes
// them into OUTDIR (see icon_set.h); they need no font.

#include <cstdio>
#include <cstring>
#include <string>

#include "icon_set.h"
#include "palette.h"
#include "sheets.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--icons") == 0) {
        return WriteIcons(argv[2]) ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s [--icons] OUTDIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];

    IndexedImage title(640, 480, kClear);
    if (!MakeTitleSheet(title)) {
        return kExitFontMissing;
    }

    IndexedImage sprites = MakeCharSheet();
    for (uint8_t& p : sprites.pixels) {
        p = CharIndex(p);
    }

    const bool ok = WriteBitmapFile(dir + "/BACKIMG.bmp", MakeBackImage(), DisplayColours()) &&
                    WriteBitmapFile(dir + "/CHAR.bmp", sprites, CharColours()) &&
                    WriteBitmapFile(dir + "/STRINGS.bmp", MakeStringsSheet(), DisplayColours()) &&
                    WriteBitmapFile(dir + "/TITLE.bmp", title, DisplayColours());
    return ok ? 0 : 1;
}
