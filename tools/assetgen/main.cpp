// zephyx_assetgen OUTDIR: draws BACKIMG, CHAR, STRINGS and TITLE and writes them as .bmp files
// into OUTDIR. The output depends on nothing but this program and the two font files, so a
// rerun reproduces the committed bitmaps byte for byte.

#include <cstdio>
#include <string>

#include "palette.h"
#include "sheets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
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
