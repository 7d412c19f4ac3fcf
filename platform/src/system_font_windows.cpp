// Compiled against the real Windows headers: the wide-character GDI calls here are not names
// our platform layer defines.
#include <windows.h>

#include <vector>

#include "system_font_windows.h"

namespace {

HDC MemoryContext() {
    static const HDC context = CreateCompatibleDC(nullptr);
    return context;
}

// GGO_BITMAP rows are padded to four bytes.
size_t PaddedRowBytes(int width) {
    return (static_cast<size_t>(width) + 31) / 32 * 4;
}

}  // namespace

void* OpenSystemFont(const SystemFontRequest& request, int* ascent, int* cellHeight) {
    LOGFONTW description{};
    description.lfHeight = request.height;
    description.lfWeight = request.weight;
    description.lfItalic = request.italic;
    description.lfCharSet = request.charset;
    description.lfQuality = NONANTIALIASED_QUALITY;
    MultiByteToWideChar(CP_UTF8, 0, request.faceUtf8, -1, description.lfFaceName, LF_FACESIZE);
    description.lfFaceName[LF_FACESIZE - 1] = L'\0';
    HFONT font = CreateFontIndirectW(&description);
    const HDC context = MemoryContext();
    TEXTMETRICW metrics;
    if (font == nullptr || context == nullptr || SelectObject(context, font) == nullptr ||
        !GetTextMetricsW(context, &metrics)) {
        if (font != nullptr) {
            DeleteObject(font);
        }
        return nullptr;
    }
    *ascent = metrics.tmAscent;
    *cellHeight = metrics.tmHeight;
    return font;
}

void CloseSystemFont(void* font) {
    SelectObject(MemoryContext(), GetStockObject(SYSTEM_FONT));
    DeleteObject(static_cast<HFONT>(font));
}

bool RenderSystemGlyph(void* font, uint32_t codePoint, SystemGlyph* glyph, uint8_t* ink,
                       size_t inkBytes) {
    const HDC context = MemoryContext();
    SelectObject(context, static_cast<HFONT>(font));
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    const UINT character = codePoint <= 0xFFFF ? codePoint : 0xFFFD;
    GLYPHMETRICS metrics;
    const DWORD size =
        GetGlyphOutlineW(context, character, GGO_BITMAP, &metrics, 0, nullptr, &identity);
    if (size == GDI_ERROR) {
        return false;
    }
    glyph->left = metrics.gmptGlyphOrigin.x;
    glyph->top = metrics.gmptGlyphOrigin.y;
    glyph->advance = metrics.gmCellIncX;
    glyph->width = size == 0 ? 0 : static_cast<int>(metrics.gmBlackBoxX);  // a blank: no image
    glyph->height = size == 0 ? 0 : static_cast<int>(metrics.gmBlackBoxY);
    if (size == 0) {
        return true;
    }
    if (static_cast<size_t>(glyph->width) * glyph->height > inkBytes) {
        return false;
    }
    // Made once, at the size of the largest glyph so far: glyphs are rendered once each.
    static std::vector<uint8_t> bits;
    if (bits.size() < size) {
        bits.resize(size);
    }
    if (GetGlyphOutlineW(context, character, GGO_BITMAP, &metrics, size, bits.data(), &identity) ==
        GDI_ERROR) {
        return false;
    }
    const size_t pitch = PaddedRowBytes(glyph->width);
    for (int y = 0; y < glyph->height; ++y) {
        for (int x = 0; x < glyph->width; ++x) {
            ink[y * glyph->width + x] = (bits[y * pitch + x / 8] >> (7 - x % 8)) & 1;
        }
    }
    return true;
}
