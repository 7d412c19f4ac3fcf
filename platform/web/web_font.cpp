// The browser's system-font rasteriser (font_rasterizer.h): the page draws each glyph with the
// canvas's own text drawing (web_font.js), and the glyph is thresholded into ink here.
//
// The glyphs are drawn at the size GDI would give the face (web_font_sizing.h), not the
// browser's own.
#include <cstring>

#include "../src/code_page.h"
#include "../src/font_rasterizer.h"
#include "../src/glyph_store.h"
#include "web_font_sizing.h"

extern "C" {
// Writes the family the browser will draw `requested` with (falling back to a Japanese serif
// face, then any serif) into `family`, and its ascent and descent per em.
void zephyx_font_resolve(const char* requested, char* family, int familySize, double* metrics);
// Draws `codePoint` in the font and writes its ink (1 where drawn) into `ink`, at most
// `capacity` bytes, and left, top, width, height, advance (1/64 pixel) into `box`. False when
// the glyph does not fit.
int zephyx_font_render(const char* family, double emPixels, int weight, int italic,
                       uint32_t codePoint, uint8_t* ink, int capacity, int* box);
}

namespace {

constexpr int kRealisations = 8;
constexpr size_t kFamilyBytes = 128;
constexpr int kScratchSide = 512;

bool SameDescription(const LOGFONTA& a, const LOGFONTA& b) {
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight &&
           (a.lfItalic != 0) == (b.lfItalic != 0) && a.lfCharSet == b.lfCharSet &&
           std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

uint8_t gScratchInk[kScratchSide * kScratchSide];
GlyphStore gGlyphs;

}  // namespace

class RealisedFont {
public:
    LOGFONTA description = {};
    char family[kFamilyBytes] = {};
    FontScale scale;
    bool found = false;
    bool used = false;
    uint32_t id = 0;  // names its glyphs in the store; new for every realisation
    uint64_t lastUse = 0;

    void Open(const LOGFONTA& wanted) {
        description = wanted;
        // A face name holds at most 31 bytes; in UTF-8 each may grow to three.
        char requested[LF_FACESIZE * 3 + 1];
        CodePageToUtf8(wanted.lfCharSet, wanted.lfFaceName, requested, sizeof requested);
        double metrics[2] = {0, 0};
        zephyx_font_resolve(requested, family, sizeof family, metrics);
        found = ScaleBrowserFace(family, metrics[0], metrics[1], wanted.lfHeight, &scale);
    }
};

namespace {

RealisedFont gFonts[kRealisations];
uint64_t gClock;
uint32_t gLastId;

}  // namespace

RealisedFont* RealiseFont(const LOGFONTA& description) {
    ++gClock;
    RealisedFont* oldest = &gFonts[0];
    for (RealisedFont& font : gFonts) {
        if (font.used && SameDescription(font.description, description)) {
            font.lastUse = gClock;
            return font.found ? &font : nullptr;
        }
        if (!font.used || (oldest->used && font.lastUse < oldest->lastUse)) {
            oldest = &font;
        }
    }
    oldest->used = true;
    oldest->lastUse = gClock;
    oldest->id = ++gLastId;
    oldest->Open(description);
    return oldest->found ? oldest : nullptr;
}

int FontAscent(const RealisedFont& font) {
    return font.scale.ascent;
}

int FontCellHeight(const RealisedFont& font) {
    return font.scale.cellHeight;
}

const CachedGlyph& FontGlyph(RealisedFont& font, uint32_t codePoint) {
    if (const CachedGlyph* glyph = gGlyphs.Find(font.id, codePoint)) {
        return *glyph;
    }
    int box[5] = {0, 0, 0, 0, 0};
    CachedGlyph rendered;
    const LONG weight = font.description.lfWeight > 0 ? font.description.lfWeight : FW_NORMAL;
    if (zephyx_font_render(font.family, font.scale.emPixels, weight, font.description.lfItalic,
                           codePoint, gScratchInk, sizeof gScratchInk, box)) {
        rendered = CachedGlyph{box[0], box[1], box[2], box[3], box[4], gScratchInk};
    } else {
        rendered.advance = box[4];
    }
    return gGlyphs.Add(font.id, codePoint, rendered);
}
