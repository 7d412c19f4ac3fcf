#include "scaled_presentation.h"

#include "cpu_scaling.h"

namespace {

SDL_Texture* gSharpTexture;  // the picture at the plan's whole factor, for the smooth step
int gSharpWidth;
int gSharpHeight;

SDL_Texture* SharpTexture(SDL_Renderer* renderer, Uint32 format, int width, int height) {
    if (gSharpTexture != nullptr && gSharpWidth == width && gSharpHeight == height) {
        return gSharpTexture;
    }
    ReleaseScaledPresentation();
    gSharpTexture = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_TARGET, width, height);
    if (gSharpTexture != nullptr) {
        SDL_SetTextureBlendMode(gSharpTexture, SDL_BLENDMODE_NONE);
        SDL_SetTextureScaleMode(gSharpTexture, SDL_ScaleModeLinear);
        gSharpWidth = width;
        gSharpHeight = height;
    }
    return gSharpTexture;
}

// Nearest-neighbour into the intermediate texture, then linear into `target`. Where no
// intermediate texture can be made, a linear scale of the picture itself still shows it all.
void DrawSharpThenSmooth(SDL_Renderer* renderer, SDL_Texture* picture, const ScalePlan& plan,
                         const SDL_Rect& target) {
    Uint32 format;
    int width, height;
    SDL_QueryTexture(picture, &format, nullptr, &width, &height);
    SDL_Texture* sharp =
        SharpTexture(renderer, format, width * plan.nearestFactor, height * plan.nearestFactor);
    if (sharp == nullptr || SDL_SetRenderTarget(renderer, sharp) != 0) {
        SDL_SetTextureScaleMode(picture, SDL_ScaleModeLinear);
        SDL_RenderCopy(renderer, picture, nullptr, &target);
        return;
    }
    SDL_SetTextureScaleMode(picture, SDL_ScaleModeNearest);
    SDL_RenderCopy(renderer, picture, nullptr, nullptr);
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderCopy(renderer, sharp, nullptr, &target);
}

}  // namespace

bool IsCpuRenderer(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

void DrawScaledPicture(SDL_Renderer* renderer, SDL_Texture* picture, ScaleMode mode) {
    int outputWidth, outputHeight, width, height;
    if (SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight) != 0 ||
        SDL_QueryTexture(picture, nullptr, nullptr, &width, &height) != 0) {
        return;
    }
    int maxFactor = IsCpuRenderer(renderer) ? CpuMaxFactor() : 0;
    ScalePlan plan = PlanScaling(mode, outputWidth, outputHeight, width, height, maxFactor);
    SDL_Rect target = {plan.target.x, plan.target.y, plan.target.width, plan.target.height};
    if (!plan.smooth) {
        SDL_SetTextureScaleMode(picture, SDL_ScaleModeNearest);
        SDL_RenderCopy(renderer, picture, nullptr, &target);
    } else if (plan.nearestFactor == 1) {
        SDL_SetTextureScaleMode(picture, SDL_ScaleModeLinear);
        SDL_RenderCopy(renderer, picture, nullptr, &target);
    } else {
        DrawSharpThenSmooth(renderer, picture, plan, target);
    }
}

void ReleaseScaledPresentation() {
    if (gSharpTexture != nullptr) {
        SDL_DestroyTexture(gSharpTexture);
        gSharpTexture = nullptr;
    }
    gSharpWidth = 0;
    gSharpHeight = 0;
}
