#include "picture_texture.h"

#include <cstddef>

#include "../src/changed_rows.h"
#include "../src/shown_picture.h"
#include "palette_convert.h"

namespace {

SDL_Texture* gTexture;
int gWidth;
int gHeight;
ChangedRows gChangedRows;  // which of the texture's rows are behind the picture

}  // namespace

bool EnsurePictureTexture(SDL_Renderer* renderer, int width, int height) {
    if (gTexture != nullptr && gWidth == width && gHeight == height) {
        return true;
    }
    if (renderer == nullptr) {
        return false;
    }
    ReleasePictureTexture();
    // The texels' top byte is ignored, and nothing is blended: a plain copy on every renderer.
    gTexture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    if (gTexture == nullptr) {
        return false;
    }
    SDL_SetTextureBlendMode(gTexture, SDL_BLENDMODE_NONE);
    gWidth = width;
    gHeight = height;
    gChangedRows.Resize(width, height);
    PlatformRepaintNeeded();  // the new texture holds no picture yet
    return true;
}

bool UpdatePictureTexture(SDL_Renderer* renderer, const uint8_t* pixels, int width, int height,
                          int pitch, const BackendColor palette[256]) {
    if (!EnsurePictureTexture(renderer, width, height)) {
        return false;
    }
    for (const RowBand& band : gChangedRows.Take(pixels, pitch, palette)) {
        const SDL_Rect rows = {0, band.top, width, band.bottom - band.top};
        void* texels;
        int texturePitch;
        if (SDL_LockTexture(gTexture, &rows, &texels, &texturePitch) != 0) {
            gChangedRows.Forget();  // the rows from this band down are not in the texture
            return false;
        }
        ConvertPalettedPicture(pixels + static_cast<ptrdiff_t>(band.top) * pitch, width, rows.h,
                               pitch, palette, texels, texturePitch);
        SDL_UnlockTexture(gTexture);
    }
    return true;
}

SDL_Texture* PictureTexture() {
    return gTexture;
}

void ReleasePictureTexture() {
    if (gTexture != nullptr) {
        SDL_DestroyTexture(gTexture);
        gTexture = nullptr;
    }
    gWidth = 0;
    gHeight = 0;
}
