#include "render_submit.h"

#include <cstring>

namespace {

using GlFlushFunction = void (*)();

bool DrawsWithOpenGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    return SDL_GetRendererInfo(renderer, &info) == 0 && std::strncmp(info.name, "opengl", 6) == 0;
}

}  // namespace

// Looked up each frame, a matter of a microsecond: a renderer made again may have another
// graphics library behind it.
void SubmitDrawing(SDL_Renderer* renderer) {
    SDL_RenderFlush(renderer);
    if (!DrawsWithOpenGl(renderer)) {
        return;
    }
    auto glFlush = reinterpret_cast<GlFlushFunction>(SDL_GL_GetProcAddress("glFlush"));
    if (glFlush != nullptr) {
        glFlush();  // on the renderer's context: SDL_RenderFlush has just made it current
    }
}
