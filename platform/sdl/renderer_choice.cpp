#include "renderer_choice.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "closable_box.h"
#include "surface_presentation.h"

namespace {

char gWhyNot[200];  // SDL's error when ChoosePresentation failed, kept past the window's end

const char* OpenGlRendererName() {
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned int kGlRenderer = 0x1F01;
    const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
    return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

bool UsesOpenGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    return SDL_GetRendererInfo(renderer, &info) == 0 && strncmp(info.name, "opengl", 6) == 0;
}

// True when the renderer draws through OpenGL that is itself rasterised on the CPU (Mesa's
// llvmpipe or softpipe, as on a machine without a GPU or under Xvfb).
bool IsSoftwareOpenGl(SDL_Renderer* renderer) {
    if (!UsesOpenGl(renderer)) {
        return false;
    }
    const char* name = OpenGlRendererName();
    return strstr(name, "llvmpipe") != nullptr || strstr(name, "softpipe") != nullptr ||
           strstr(name, "Software Rasterizer") != nullptr;
}

bool IsSoftwareRenderer(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

// The software renderer, drawing into the window's own surface: otherwise SDL would show its
// picture through OpenGL again. Where the window has no surface of its own (Wayland) there is
// none.
SDL_Renderer* CreateSoftwareRenderer(SDL_Window* window) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

// The GPU's renderer where there is one; where OpenGL runs on the CPU, SDL's software renderer
// when the window can have it (see TradeForCpuDrawing), else the GPU renderer again.
SDL_Renderer* CreateAutoRenderer(SDL_Window* window, VsyncMode vsync) {
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    const bool named = SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr;
    if (renderer == nullptr || !TradeForCpuDrawing(IsSoftwareOpenGl(renderer), named, vsync)) {
        return renderer;
    }
    SDL_DestroyRenderer(renderer);
    renderer = CreateSoftwareRenderer(window);
    return renderer != nullptr ? renderer : SDL_CreateRenderer(window, -1, 0);
}

// Where SDL renders on the CPU, drawing into the window's surface ourselves sends the display
// only the picture each frame instead of the whole screen. (The software renderer draws into
// that same surface, so the surface can be asked about while it exists.)
bool UseSurfaceInstead(SDL_Window* window, SDL_Renderer* renderer) {
    return SDL_GetHint(SDL_HINT_RENDER_DRIVER) == nullptr && IsSoftwareRenderer(renderer) &&
           CanPresentOnSurface(window);
}

bool ChooseSurface(SDL_Window* window, Presentation* presentation) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!CanPresentOnSurface(window)) {
        SDL_SetError(SDL_GetWindowSurface(window) == nullptr
                         ? "the window has no surface of its own"
                         : "the window's surface has a pixel format the game does not write");
        return false;
    }
    *presentation = {nullptr, true};
    return true;
}

SDL_Renderer* CreateRenderer(SDL_Window* window, RendererChoice choice, VsyncMode vsync) {
    switch (choice) {
        case RendererChoice::kGpu:
            return SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
        case RendererChoice::kSoftware:
            return CreateSoftwareRenderer(window);
        default:
            return CreateAutoRenderer(window, vsync);
    }
}

const char* ChoiceName(RendererChoice choice) {
    switch (choice) {
        case RendererChoice::kGpu:
            return "gpu";
        case RendererChoice::kSoftware:
            return "software";
        default:
            return "auto";
    }
}

// Returns false, for ChoosePresentation's failures.
bool KeepWhyNot() {
    snprintf(gWhyNot, sizeof gWhyNot, "%s", SDL_GetError());
    return false;
}

}  // namespace

bool ChoosePresentation(SDL_Window* window, RendererChoice choice, VsyncMode vsync,
                        Presentation* presentation) {
    if (choice == RendererChoice::kSurface) {
        return ChooseSurface(window, presentation) || KeepWhyNot();
    }
    SDL_Renderer* renderer = CreateRenderer(window, choice, vsync);
    if (renderer == nullptr) {
        return KeepWhyNot();
    }
    if (choice == RendererChoice::kAuto && UseSurfaceInstead(window, renderer)) {
        SDL_DestroyRenderer(renderer);
        *presentation = {nullptr, true};
        return true;
    }
    *presentation = {renderer, false};
    return true;
}

// The same words on standard error (one line) and in the box (one short line each, since
// SDL's box does not wrap them).
void ReportNoPresentation(RendererChoice choice) {
    char problem[100];
    if (choice == RendererChoice::kAuto) {
        snprintf(problem, sizeof problem, "Nothing can draw in the game's window:");
    } else if (choice == RendererChoice::kSurface) {
        snprintf(problem, sizeof problem, "The game cannot draw straight into its window:");
    } else {
        snprintf(problem, sizeof problem,
                 "The %s renderer cannot draw in the game's window:", ChoiceName(choice));
    }
    const char* fix =
        choice == RendererChoice::kAuto ? "" : "--renderer=auto chooses one that can.";
    fprintf(stderr, "zephyx: %s %s.%s%s\n", problem, gWhyNot, *fix != '\0' ? " " : "", fix);
    char text[400];
    snprintf(text, sizeof text, "%s\n%s.\n%s", problem, gWhyNot, fix);
    ShowClosableErrorBox("ZEPHYX", text, nullptr);
}

void DescribePresentation(const Presentation& presentation) {
    char text[300];
    SDL_RendererInfo info;
    if (presentation.onSurface || SDL_GetRendererInfo(presentation.renderer, &info) != 0) {
        snprintf(text, sizeof text, "zephyx: presenting through the window's surface, no vsync\n");
    } else {
        // SDL's software renderer may claim vsync, but it sends its picture at once all the same.
        const bool openGl = UsesOpenGl(presentation.renderer);
        const bool waits = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0 &&
                           (info.flags & SDL_RENDERER_SOFTWARE) == 0;
        snprintf(text, sizeof text, "zephyx: presenting through the %s renderer%s%s, %s\n",
                 info.name, openGl ? " on " : "", openGl ? OpenGlRendererName() : "",
                 waits ? "vsync on" : "no vsync");
    }
    OutputDebugStringA(text);
}
