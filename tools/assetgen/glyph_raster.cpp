#include "glyph_raster.h"

#include <algorithm>
#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

GlyphRaster::~GlyphRaster() {
    if (face_) {
        FT_Done_Face(static_cast<FT_Face>(face_));
    }
    if (library_) {
        FT_Done_FreeType(static_cast<FT_Library>(library_));
    }
}

bool GlyphRaster::Open(const char* path) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return false;
    }
    library_ = library;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path, 0, &face) != 0) {
        return false;
    }
    face_ = face;
    return true;
}

InkMask GlyphRaster::Render(const std::u32string& text, int pixelSize, double embolden) const {
    FT_Set_Pixel_Sizes(static_cast<FT_Face>(face_), 0, FT_UInt(pixelSize));
    return RenderAtCurrentSize(text, pixelSize, embolden, FT_LOAD_NO_BITMAP);
}

InkMask GlyphRaster::RenderStretched(const std::u32string& text, int width64, int height64) const {
    // At 72 dots per inch a point is a pixel, so the sizes are pixels in 26.6 fixed point.
    FT_Set_Char_Size(static_cast<FT_Face>(face_), width64, height64, 72, 72);
    return RenderAtCurrentSize(text, (std::max(width64, height64) + 63) / 64, 0.0,
                               FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING);
}

// `pixelSize` only sizes the scratch canvas: at least the face's larger size.
InkMask GlyphRaster::RenderAtCurrentSize(const std::u32string& text, int pixelSize, double embolden,
                                         int loadFlags) const {
    FT_Face face = static_cast<FT_Face>(face_);

    // Draw onto a generous canvas with the baseline at `base`, then crop to the ink.
    const int canvasW = pixelSize * int(text.size() + 2) + 16, canvasH = pixelSize * 3;
    const int base = pixelSize * 2;
    std::vector<uint8_t> canvas(size_t(canvasW) * canvasH, 0);
    // The pen keeps its fraction (26.6): unhinted advances are not whole pixels, and each
    // glyph is shifted by the fraction before it is rendered.
    FT_Pos pen64 = FT_Pos(pixelSize / 2) * 64;
    for (char32_t ch : text) {
        if (FT_Load_Char(face, FT_ULong(ch), loadFlags) != 0) {
            continue;
        }
        FT_GlyphSlot slot = face->glyph;
        const FT_Pos strength = FT_Pos(std::lround(embolden * 64));
        if (strength > 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Outline_Embolden(&slot->outline, strength);
        }
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Outline_Translate(&slot->outline, pen64 & 63, 0);
        }
        const int pen = int(pen64 >> 6);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
            continue;
        }
        const FT_Bitmap& bm = slot->bitmap;
        for (unsigned y = 0; y < bm.rows; ++y) {
            for (unsigned x = 0; x < bm.width; ++x) {
                const int cx = pen + slot->bitmap_left + int(x);
                const int cy = base - slot->bitmap_top + int(y);
                if (cx >= 0 && cy >= 0 && cx < canvasW && cy < canvasH &&
                    bm.buffer[y * unsigned(bm.pitch) + x] >= 128) {
                    canvas[size_t(cy) * canvasW + cx] = 1;
                }
            }
        }
        pen64 += slot->advance.x + strength;
    }

    int x0 = canvasW, y0 = canvasH, x1 = -1, y1 = -1;
    for (int y = 0; y < canvasH; ++y) {
        for (int x = 0; x < canvasW; ++x) {
            if (canvas[size_t(y) * canvasW + x]) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
    }
    InkMask mask;
    if (x1 < 0) {
        return mask;
    }
    mask.width = x1 - x0 + 1;
    mask.height = y1 - y0 + 1;
    mask.top = y0 - base;
    mask.on.resize(size_t(mask.width) * mask.height);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            mask.on[size_t(y) * mask.width + x] = canvas[size_t(y + y0) * canvasW + x + x0];
        }
    }
    return mask;
}
