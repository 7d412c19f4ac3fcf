// Font objects: CreateFontIndirectA keeps only the description, so making and deleting a font in
// every frame costs a slot in a fixed pool and no memory.
#include <new>

#include "gdi_objects.h"

namespace {

constexpr int kPooledFonts = 16;

struct FontSlot {
    FontSlot() { font.kind = GdiKind{}; }
    HFONT__ font;
    bool used = false;
};

FontSlot gFontPool[kPooledFonts];

FontSlot* SlotOf(HFONT__* font) {
    for (FontSlot& slot : gFontPool) {
        if (&slot.font == font) {
            return &slot;
        }
    }
    return nullptr;
}

}  // namespace

// What a context holds before a font is selected: the default Japanese serif at 16 pixels.
HFONT__* GdiStockFont() {
    static HFONT__ stock = [] {
        HFONT__ font;
        font.description.lfHeight = 16;
        font.description.lfWeight = FW_NORMAL;
        font.description.lfCharSet = SHIFTJIS_CHARSET;
        return font;
    }();
    return &stock;
}

// A program holding more fonts than the pool gets them from the heap.
HFONT CreateFontIndirectA(const LOGFONTA* description) {
    if (description == nullptr) {
        return nullptr;
    }
    HFONT__* font = nullptr;
    for (FontSlot& slot : gFontPool) {
        if (!slot.used) {
            slot.used = true;
            font = &slot.font;
            break;
        }
    }
    if (font == nullptr) {
        font = new (std::nothrow) HFONT__();
        if (font == nullptr) {
            return nullptr;
        }
    }
    font->kind = GdiKind::Font;
    font->description = *description;
    // The face name may come without its terminator.
    font->description.lfFaceName[LF_FACESIZE - 1] = '\0';
    font->selections = 0;
    return font;
}

bool GdiFreeFont(HFONT__* font) {
    if (font == GdiStockFont()) {
        return false;
    }
    font->kind = GdiKind{};
    if (FontSlot* slot = SlotOf(font)) {
        slot->used = false;
    } else {
        delete font;
    }
    return true;
}
