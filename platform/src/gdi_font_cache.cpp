// The modern Windows program's system-font rasteriser: Windows' own fonts through GDI
// (system_font_windows.h), each realised once and each glyph rendered once into the shared
// glyph store. Where GDI cannot make a font the built-in one stands in, said once.
#include <cstdio>
#include <cstring>

#include "builtin_font.h"
#include "code_page.h"
#include "font_rasterizer.h"
#include "glyph_store.h"
#include "system_font_windows.h"

class RealisedFont {
public:
    LOGFONTA key{};
    void* system = nullptr;  // null: the built-in font draws at builtinScale
    int builtinScale = 1;
    int ascent = 0;
    int cellHeight = 0;
    uint32_t id = 0;
    bool used = false;
};

namespace {

// The game uses two fonts; a few more cost nothing.
constexpr int kRealisations = 8;
constexpr size_t kScratchBytes = size_t{256} << 10;
uint8_t gScratchInk[kScratchBytes];

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) {
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfCharSet == b.lfCharSet && strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

void Realise(const LOGFONTA& description, uint32_t id, RealisedFont* font) {
    if (font->system != nullptr) {
        CloseSystemFont(font->system);
    }
    *font = RealisedFont{};
    font->key = description;
    font->id = id;
    font->used = true;
    char face[LF_FACESIZE * 3 + 1];
    CodePageToUtf8(description.lfCharSet, description.lfFaceName, face, sizeof face);
    SystemFontRequest request;
    request.faceUtf8 = face;
    request.height = description.lfHeight;
    request.weight = description.lfWeight;
    request.italic = description.lfItalic != 0;
    request.charset = description.lfCharSet;
    font->system = OpenSystemFont(request, &font->ascent, &font->cellHeight);
    if (font->system != nullptr) {
        return;
    }
    const BuiltinFontSize size = SizeBuiltinFont(description.lfHeight);
    font->builtinScale = size.scale;
    font->ascent = size.ascent;
    font->cellHeight = size.cellHeight;
    static bool reported = false;
    if (!reported) {
        reported = true;
        fprintf(stderr,
                "zephyx: Windows made no font for \"%s\"; text is drawn with the built-in font\n",
                face);
    }
}

CachedGlyph RenderGlyph(const RealisedFont& font, uint32_t codePoint) {
    if (font.system == nullptr) {
        return RenderBuiltinGlyph(codePoint, font.builtinScale, gScratchInk, kScratchBytes);
    }
    CachedGlyph glyph;
    SystemGlyph drawn;
    if (RenderSystemGlyph(font.system, codePoint, &drawn, gScratchInk, kScratchBytes)) {
        glyph.left = drawn.left;
        glyph.top = drawn.top;
        glyph.width = drawn.width;
        glyph.height = drawn.height;
        glyph.advance = drawn.advance * 64;
        glyph.ink = gScratchInk;
    }
    return glyph;
}

RealisedFont gFonts[kRealisations];
uint32_t gLastId = 0;
int gNextReplaced = 0;
GlyphStore gGlyphs;

}  // namespace

RealisedFont* RealiseFont(const LOGFONTA& description) {
    for (RealisedFont& font : gFonts) {
        if (font.used && SameFont(font.key, description)) {
            return &font;
        }
    }
    RealisedFont* font = &gFonts[gNextReplaced];
    gNextReplaced = (gNextReplaced + 1) % kRealisations;
    Realise(description, ++gLastId, font);
    return font;
}

int FontAscent(const RealisedFont& font) {
    return font.ascent;
}

int FontCellHeight(const RealisedFont& font) {
    return font.cellHeight;
}

const CachedGlyph& FontGlyph(RealisedFont& font, uint32_t codePoint) {
    if (const CachedGlyph* glyph = gGlyphs.Find(font.id, codePoint)) {
        return *glyph;
    }
    return gGlyphs.Add(font.id, codePoint, RenderGlyph(font, codePoint));
}
