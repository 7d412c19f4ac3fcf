#include "font_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "builtin_font.h"
#include "code_page.h"
#include "glyph_store.h"

namespace {

// Sizes in use at once before the least recently used one is closed; the game uses two.
constexpr int kRealisations = 8;
constexpr LONG kDefaultCellHeight = 16;
// The Japanese serif face the set-up installs, for when fontconfig gives nothing usable.
const char* gFallbackFile = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf";
constexpr const char* kFallbackPackage = "fonts-ipafont-mincho";

// What of a description decides the realised font.
struct FontKey {
    LONG height = 0;
    LONG weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    char face[LF_FACESIZE] = {};

    bool operator==(const FontKey& other) const {
        return height == other.height && weight == other.weight && italic == other.italic &&
               charset == other.charset && std::strcmp(face, other.face) == 0;
    }
};

FontKey KeyOf(const LOGFONTA& description) {
    FontKey key;
    key.height = description.lfHeight;
    key.weight = description.lfWeight > 0 ? description.lfWeight : FW_NORMAL;
    key.italic = description.lfItalic != 0 ? 1 : 0;
    key.charset = description.lfCharSet;
    std::memcpy(key.face, description.lfFaceName, LF_FACESIZE - 1);  // the last stays 0
    return key;
}

// A font file as fontconfig chose it, with the slant and emboldening it asks for when the face
// itself has no italic or bold.
struct FontFile {
    char path[PATH_MAX] = {};
    int index = 0;
    bool transformed = false;
    FT_Matrix matrix = {0x10000, 0, 0, 0x10000};
    bool embolden = false;
};

bool MatchFontFile(const FontKey& key, FontFile* file) {
    if (!FcInit()) {
        return false;
    }
    // A face name holds at most 31 bytes; in UTF-8 each may grow to three.
    char family[LF_FACESIZE * 3 + 1];
    CodePageToUtf8(key.charset, key.face, family, sizeof family);
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return false;
    }
    // The named family first; a serif face when the name is not known here.
    if (family[0] != '\0') {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("serif"));
    if (key.charset == SHIFTJIS_CHARSET) {
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    }
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(key.weight));
    FcPatternAddInteger(pattern, FC_SLANT, key.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        return false;
    }
    FcChar8* path = nullptr;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
                       std::strlen(reinterpret_cast<const char*>(path)) < sizeof file->path;
    if (found) {
        std::strcpy(file->path, reinterpret_cast<const char*>(path));
    }
    FcPatternGetInteger(match, FC_INDEX, 0, &file->index);
    FcMatrix* matrix = nullptr;
    if (FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch) {
        file->transformed = true;
        file->matrix.xx = static_cast<FT_Fixed>(std::lround(matrix->xx * 0x10000));
        file->matrix.xy = static_cast<FT_Fixed>(std::lround(matrix->xy * 0x10000));
        file->matrix.yx = static_cast<FT_Fixed>(std::lround(matrix->yx * 0x10000));
        file->matrix.yy = static_cast<FT_Fixed>(std::lround(matrix->yy * 0x10000));
    }
    FcBool embolden = FcFalse;
    if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) {
        file->embolden = embolden == FcTrue;
    }
    FcPatternDestroy(match);
    return found;
}

// Scales the face as GDI does: a positive height is the cell (the Windows ascent plus descent),
// a negative one the em. Gives the baseline's distance from the top of the cell and the cell's
// height, in pixels.
bool SizeFace(FT_Face face, LONG height, int* ascent, int* cellHeight) {
    if (!FT_IS_SCALABLE(face)) {
        if (face->num_fixed_sizes == 0 || FT_Select_Size(face, 0) != 0) {
            return false;
        }
        *ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
        *cellHeight = static_cast<int>((face->size->metrics.height + 63) >> 6);
        return true;
    }
    long up = face->ascender;
    long down = -face->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        up = os2->usWinAscent;
        down = os2->usWinDescent;
    }
    if (up + down <= 0) {
        return false;
    }
    const double unitsPerEm = face->units_per_EM;
    double emPixels;
    if (height < 0) {
        emPixels = -static_cast<double>(height);
        *ascent = static_cast<int>(std::lround(up * emPixels / unitsPerEm));
        *cellHeight = *ascent + static_cast<int>(std::lround(down * emPixels / unitsPerEm));
    } else {
        const double cell = height > 0 ? height : kDefaultCellHeight;
        emPixels = cell * unitsPerEm / static_cast<double>(up + down);
        *ascent = static_cast<int>(std::lround(cell * up / static_cast<double>(up + down)));
        *cellHeight = static_cast<int>(cell);
    }
    // At 72 dots per inch a point is a pixel.
    const auto em = static_cast<FT_F26Dot6>(std::lround(emPixels * 64));
    return em > 0 && FT_Set_Char_Size(face, 0, em, 72, 72) == 0;
}

// Loads and renders the glyph into the face's slot; false leaves only an advance, if that.
bool LoadGlyph(FT_Face face, bool embolden, uint32_t codePoint, CachedGlyph* glyph) {
    // Hinted for one bit per pixel; advances come out in whole pixels.
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, codePoint), FT_LOAD_TARGET_MONO) != 0) {
        return false;
    }
    FT_GlyphSlot slot = face->glyph;
    if (embolden) {
        FT_GlyphSlot_Embolden(slot);
    }
    glyph->advance = static_cast<int>(slot->advance.x);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        return false;
    }
    glyph->left = slot->bitmap_left;
    glyph->top = slot->bitmap_top;
    glyph->width = static_cast<int>(slot->bitmap.width);
    glyph->height = static_cast<int>(slot->bitmap.rows);
    return true;
}

// One byte per pixel of the rendered image in the face's slot, 1 for ink.
void CopyInk(const FT_Bitmap& bitmap, uint8_t* ink) {
    const int width = static_cast<int>(bitmap.width);
    for (int y = 0; y < static_cast<int>(bitmap.rows); ++y) {
        // The pitch steps one row down whichever way the rows are stored.
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        uint8_t* out = ink + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            switch (bitmap.pixel_mode) {
                case FT_PIXEL_MODE_MONO:
                    out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
                    break;
                case FT_PIXEL_MODE_GRAY:  // an embedded grey image: no blending, so a threshold
                    out[x] = row[x] >= 128 ? 1 : 0;
                    break;
                case FT_PIXEL_MODE_BGRA:
                    out[x] = row[x * 4 + 3] >= 128 ? 1 : 0;
                    break;
                default:
                    out[x] = 0;
                    break;
            }
        }
    }
}

// A glyph is rendered here, then kept by the shared glyph store (glyph_store.h), which copies
// its image. Larger than a quarter of a megabyte, at any size the game asks for, is no glyph.
constexpr size_t kScratchBytes = size_t{256} << 10;
uint8_t gScratchInk[kScratchBytes];

// The glyph in scratch storage, valid until the next call; a null face draws the built-in
// font at `builtinScale`. A glyph that cannot be rendered is empty.
CachedGlyph RenderGlyph(FT_Face face, bool embolden, int builtinScale, uint32_t codePoint) {
    CachedGlyph glyph;
    if (face == nullptr) {
        glyph = RenderBuiltinGlyph(codePoint, builtinScale, gScratchInk, kScratchBytes);
    } else if (LoadGlyph(face, embolden, codePoint, &glyph) &&
               static_cast<size_t>(glyph.width) * glyph.height <= kScratchBytes) {
        CopyInk(face->glyph->bitmap, gScratchInk);
        glyph.ink = gScratchInk;
    } else {
        glyph.width = 0;
        glyph.height = 0;
    }
    return glyph;
}

}  // namespace

class RealisedFont {
public:
    FontKey key;
    FT_Face face = nullptr;    // null: no face could be read, the built-in font draws
    FT_StreamRec stream = {};  // the face's file, read with pread rather than mapped
    int builtinScale = 0;      // the built-in font's whole factor, when there is no face
    bool embolden = false;
    int ascent = 0;
    int cellHeight = 0;
    uint32_t id = 0;  // names its glyphs in the store; new for every opening
    uint64_t lastUse = 0;
    bool used = false;

    void Close() {
        if (face != nullptr) {
            FT_Done_Face(face);
            face = nullptr;
        }
        builtinScale = 0;
        used = false;
    }
};

namespace {

class FontCache {
public:
    ~FontCache() {
        for (RealisedFont& font : fonts_) {
            font.Close();
        }
        if (library_ != nullptr) {
            FT_Done_FreeType(library_);
            library_ = nullptr;
        }
        if (fontconfigUsed_) {
            FcFini();
        }
        closed_ = true;
    }

    RealisedFont* Realise(const LOGFONTA& description) {
        if (closed_) {
            return nullptr;
        }
        const FontKey key = KeyOf(description);
        ++clock_;
        RealisedFont* oldest = &fonts_[0];
        for (RealisedFont& font : fonts_) {
            if (font.used && font.key == key) {
                font.lastUse = clock_;
                return &font;
            }
            if (!font.used || (oldest->used && font.lastUse < oldest->lastUse)) {
                oldest = &font;
            }
        }
        oldest->Close();
        oldest->used = true;
        oldest->key = key;
        oldest->lastUse = clock_;
        oldest->id = ++lastId_;
        Open(oldest);
        if (oldest->face == nullptr) {
            UseBuiltinFont(oldest);
        }
        return oldest;
    }

private:
    // Leaves the face null when neither fontconfig's choice nor the fallback file will do.
    void Open(RealisedFont* font) {
        if (library_ == nullptr && (libraryFailed_ || FT_Init_FreeType(&library_) != 0)) {
            library_ = nullptr;
            libraryFailed_ = true;
            return;
        }
        fontconfigUsed_ = true;
        FontFile file;
        if (!MatchFontFile(font->key, &file) || !OpenFace(file.path, file.index, font)) {
            file = FontFile();
            if (!OpenFace(gFallbackFile, 0, font)) {
                return;
            }
        }
        FT_Select_Charmap(font->face, FT_ENCODING_UNICODE);
        if (!SizeFace(font->face, font->key.height, &font->ascent, &font->cellHeight)) {
            FT_Done_Face(font->face);
            font->face = nullptr;
            return;
        }
        // Slant and embolden a face that lacks the style when fontconfig did not say to (the
        // fallback file, or a configuration without those rules).
        const FT_Long style = font->face->style_flags;
        if (font->key.italic && !file.transformed && (style & FT_STYLE_FLAG_ITALIC) == 0) {
            file.transformed = true;
            file.matrix.xy = 0x3333;  // 0.2, as fontconfig slants
        }
        if (file.transformed) {
            FT_Set_Transform(font->face, &file.matrix, nullptr);
        }
        font->embolden =
            file.embolden || (font->key.weight >= 600 && (style & FT_STYLE_FLAG_BOLD) == 0);
    }

    // Reads the face through descriptor reads: a file cut short while open (a font package
    // being replaced) then gives FreeType an error to handle, where a mapping would kill the
    // program with SIGBUS.
    bool OpenFace(const char* path, int index, RealisedFont* font) {
        const int descriptor = open(path, O_RDONLY | O_CLOEXEC);
        struct stat status;
        if (descriptor < 0 || fstat(descriptor, &status) != 0 || status.st_size <= 0) {
            if (descriptor >= 0) {
                close(descriptor);
            }
            return false;
        }
        font->stream = FT_StreamRec{};
        font->stream.size = static_cast<unsigned long>(status.st_size);
        font->stream.descriptor.value = descriptor;
        font->stream.read = ReadFontFile;
        font->stream.close = CloseFontFile;
        FT_Open_Args arguments{};
        arguments.flags = FT_OPEN_STREAM;
        arguments.stream = &font->stream;
        // FreeType closes the stream itself when the opening fails.
        if (FT_Open_Face(library_, &arguments, index, &font->face) != 0) {
            font->face = nullptr;
            return false;
        }
        return true;
    }

    static unsigned long ReadFontFile(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                                      unsigned long count) {
        if (count == 0) {  // a seek: 0 for a place inside the file
            return offset <= stream->size ? 0 : 1;
        }
        const int descriptor = static_cast<int>(stream->descriptor.value);
        unsigned long done = 0;
        while (done < count) {
            const ssize_t got =
                pread(descriptor, buffer + done, count - done, static_cast<off_t>(offset + done));
            if (got <= 0) {
                break;
            }
            done += static_cast<unsigned long>(got);
        }
        return done;
    }

    static void CloseFontFile(FT_Stream stream) {
        if (stream->descriptor.value >= 0) {
            close(static_cast<int>(stream->descriptor.value));
            stream->descriptor.value = -1;
        }
    }

    // The built-in font at the whole factor nearest the cell height asked for. Said once, as
    // the player would otherwise only see plainer text and not know why.
    void UseBuiltinFont(RealisedFont* font) {
        const BuiltinFontSize size = SizeBuiltinFont(font->key.height);
        font->builtinScale = size.scale;
        font->cellHeight = size.cellHeight;
        font->ascent = size.ascent;
        font->embolden = false;
        if (!builtinReported_) {
            builtinReported_ = true;
            char face[LF_FACESIZE * 3 + 1];
            CodePageToUtf8(font->key.charset, font->key.face, face, sizeof face);
            fprintf(stderr,
                    "zephyx: no readable font for \"%s\" (the package %s provides one); text is "
                    "drawn with the built-in font\n",
                    face, kFallbackPackage);
        }
    }

    FT_Library library_ = nullptr;
    bool libraryFailed_ = false;
    bool builtinReported_ = false;
    bool fontconfigUsed_ = false;
    bool closed_ = false;
    uint64_t clock_ = 0;
    uint32_t lastId_ = 0;
    RealisedFont fonts_[kRealisations];
};

FontCache gFontCache;
GlyphStore gGlyphs;

}  // namespace

RealisedFont* RealiseFont(const LOGFONTA& description) {
    return gFontCache.Realise(description);
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
    return gGlyphs.Add(font.id, codePoint,
                       RenderGlyph(font.face, font.embolden, font.builtinScale, codePoint));
}

void FontCacheSetFallbackFile(const char* path) {
    gFallbackFile = path;
}
