// The SDL backend: the real window, keyboard and presentation of the `zephyx` program.
//
// The 640x480 picture is a streaming texture that the GPU scales by the largest whole factor
// that fits, letterboxed, with nearest filtering. Each present is one palette lookup per pixel.
// Alt+Enter toggles desktop full-screen and a window here, below the game.
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "../src/backend.h"
#include "../src/shown_picture.h"
#include "../src/window_events.h"
#include "palette_convert.h"
#include "present_log.h"
#include "sdl_keys.h"

namespace {

SDL_Window* gWindow;
SDL_Renderer* gRenderer;
SDL_Texture* gTexture;
int gTextureWidth;
int gTextureHeight;
bool gFullscreen;
int gWindowedWidth;
int gWindowedHeight;
bool gPrepared;  // BackendPreparePresent drew the picture that BackendPresent shows

bool StartVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "zephyx: no window can be opened: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

// Desktop full-screen is a request to the window manager. Where there is none, nobody resizes
// the window while SDL scales as if it covered the display, and a cropped corner shows; so the
// window takes the display's bounds itself first. Back in a window it is the mode's size again,
// in the middle of the display.
void SetFullscreen(bool fullscreen) {
    if (gWindow == nullptr) {
        return;
    }
    SDL_Rect bounds;
    if (fullscreen && SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(gWindow), &bounds) == 0) {
        SDL_SetWindowPosition(gWindow, bounds.x, bounds.y);
        SDL_SetWindowSize(gWindow, bounds.w, bounds.h);
    }
    if (SDL_SetWindowFullscreen(gWindow, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        return;
    }
    gFullscreen = fullscreen;
    PlatformRepaintNeeded();
    if (!fullscreen) {
        SDL_SetWindowSize(gWindow, gWindowedWidth, gWindowedHeight);
        SDL_SetWindowPosition(gWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
}

bool IsAltEnter(const SDL_KeyboardEvent& key) {
    return key.keysym.sym == SDLK_RETURN && (key.keysym.mod & KMOD_ALT) != 0;
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            PlatformCloseRequested();
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            PlatformWindowMinimised(true);
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            PlatformWindowMinimised(false);
            PlatformRepaintNeeded();
            break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            PlatformRepaintNeeded();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            PlatformFocusLost();
            break;
        default:
            break;
    }
}

void HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            PlatformCloseRequested();
            break;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(event.window);
            break;
        case SDL_KEYDOWN:
            if (IsAltEnter(event.key)) {
                if (!event.key.repeat) {
                    SetFullscreen(!gFullscreen);
                }
            } else if (int key = VirtualKeyFromSdl(event.key.keysym.sym)) {
                PlatformKeyEvent(key, true);
            }
            break;
        case SDL_KEYUP:
            if (int key = VirtualKeyFromSdl(event.key.keysym.sym)) {
                PlatformKeyEvent(key, false);
            }
            break;
        case SDL_MOUSEMOTION:
            PlatformMouseMoved();
            break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            PlatformRepaintNeeded();
            break;
        default:
            break;
    }
}

bool EnsureTexture(int width, int height) {
    if (gTexture != nullptr && gTextureWidth == width && gTextureHeight == height) {
        return true;
    }
    if (gRenderer == nullptr) {
        return false;
    }
    if (gTexture != nullptr) {
        SDL_DestroyTexture(gTexture);
    }
    gTexture = SDL_CreateTexture(gRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    PlatformRepaintNeeded();  // the new texture holds no picture yet
    gTextureWidth = gTexture != nullptr ? width : 0;
    gTextureHeight = gTexture != nullptr ? height : 0;
    return gTexture != nullptr;
}

// True when the renderer draws through OpenGL that is itself rasterised on the CPU (Mesa's
// llvmpipe or softpipe, as on a machine without a GPU or under Xvfb).
bool IsSoftwareOpenGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || strncmp(info.name, "opengl", 6) != 0) {
        return false;
    }
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr) {
        return false;
    }
    const unsigned int kGlRenderer = 0x1F01;
    const char* name = reinterpret_cast<const char*>(getString(kGlRenderer));
    return name != nullptr &&
           (strstr(name, "llvmpipe") != nullptr || strstr(name, "softpipe") != nullptr ||
            strstr(name, "Software Rasterizer") != nullptr);
}

// The GPU's renderer where there is one. Where OpenGL runs on the CPU, SDL's own software
// renderer shows the same picture for a fraction of the processor time. A renderer chosen with
// SDL_RENDER_DRIVER is kept as it is.
SDL_Renderer* CreateRenderer(SDL_Window* window) {
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer != nullptr && SDL_GetHint(SDL_HINT_RENDER_DRIVER) == nullptr &&
        IsSoftwareOpenGl(renderer)) {
        SDL_DestroyRenderer(renderer);
        // Otherwise SDL would show the software renderer's picture through OpenGL again.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
    return renderer;
}

}  // namespace

uint32_t BackendMilliseconds() {
    return SDL_GetTicks();
}

void BackendSleep(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

void BackendDebugOutput(const char*) {}

bool BackendOpenWindow(const char* caption, int width, int height) {
    if (!StartVideo()) {
        return false;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    gWindowedWidth = width;
    gWindowedHeight = height;
    gWindow = SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                               height, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
    if (gWindow == nullptr) {
        fprintf(stderr, "zephyx: no window can be opened: %s\n", SDL_GetError());
        return false;
    }
    gRenderer = CreateRenderer(gWindow);
    if (gRenderer == nullptr) {
        fprintf(stderr, "zephyx: no renderer for the window: %s\n", SDL_GetError());
        SDL_DestroyWindow(gWindow);
        gWindow = nullptr;
        return false;
    }
    SDL_RenderSetLogicalSize(gRenderer, width, height);
    SDL_RenderSetIntegerScale(gRenderer, SDL_TRUE);
    SDL_ShowCursor(SDL_DISABLE);
    PresentLogStart();
    return true;
}

void BackendCloseWindow() {
    PresentLogFinish();
    if (gTexture != nullptr) {
        SDL_DestroyTexture(gTexture);
        gTexture = nullptr;
    }
    if (gRenderer != nullptr) {
        SDL_DestroyRenderer(gRenderer);
        gRenderer = nullptr;
    }
    if (gWindow != nullptr) {
        SDL_DestroyWindow(gWindow);
        gWindow = nullptr;
    }
    gFullscreen = false;
}

void BackendPumpEvents(uint32_t waitMilliseconds) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return;
    }
    SDL_Event event;
    if (waitMilliseconds > 0 && SDL_WaitEventTimeout(&event, static_cast<int>(waitMilliseconds))) {
        HandleEvent(event);
    }
    while (SDL_PollEvent(&event)) {
        HandleEvent(event);
    }
}

void BackendShowCursor(bool shown) {
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void BackendMessageBox(const char* text, const char* caption) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, gWindow) != 0) {
        fprintf(stderr, "%s: %s\n", caption, text);
    }
}

void BackendSetExclusiveFullscreen() {
    SetFullscreen(true);
}

void BackendSetDisplayMode(int width, int height) {
    if (gRenderer != nullptr) {
        SDL_RenderSetLogicalSize(gRenderer, width, height);
    }
    EnsureTexture(width, height);
}

void BackendPreparePresent(const uint8_t* pixels, int width, int height, int pitch,
                           const BackendColor palette[256]) {
    void* texels;
    int texturePitch;
    gPrepared = EnsureTexture(width, height) &&
                SDL_LockTexture(gTexture, nullptr, &texels, &texturePitch) == 0;
    if (!gPrepared) {
        PlatformRepaintNeeded();  // nothing will reach the screen: try again with the next flip
        return;
    }
    ConvertPalettedPicture(pixels, width, height, pitch, palette, texels, texturePitch);
    SDL_UnlockTexture(gTexture);
    SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
    SDL_RenderClear(gRenderer);
    SDL_RenderCopy(gRenderer, gTexture, nullptr, nullptr);
    SDL_RenderFlush(gRenderer);  // the drawing now, the present at the deadline
}

void BackendPresent(const uint8_t*, int, int, int, const BackendColor[256]) {
    if (!gPrepared) {
        return;
    }
    gPrepared = false;
    SDL_RenderPresent(gRenderer);
    PresentLogRecord(true);
}

// The screen already shows the picture: converting, uploading and presenting it again would
// cost as much as a changed one.
void BackendPresentUnchanged() {
    PresentLogRecord(false);
}

void BackendObjectDestroyed(const void*, const char*, int, int) {}
