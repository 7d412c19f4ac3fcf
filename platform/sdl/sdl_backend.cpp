// The SDL backend: the real window, keyboard, pads and presentation of the `zephyx` program.
//
// The 640x480 picture is a streaming texture that the GPU scales as the --scale option says
// (scaled_presentation.h); without a GPU it goes straight into the window's surface
// (surface_presentation.h). Each present looks up the colours of the rows that changed
// (picture_texture.h). Alt+Enter toggles desktop full-screen and a window, and F9 saves a
// screenshot, here below the game.
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "../src/backend.h"
#include "../src/shown_picture.h"
#include "../src/window_events.h"
#include "backend_options.h"
#include "closable_box.h"
#include "cpu_scaling.h"
#include "display_loss.h"
#include "display_presence.h"
#include "picture_texture.h"
#include "present_log.h"
#include "quit_signals.h"
#include "render_submit.h"
#include "remembered_settings.h"
#include "renderer_choice.h"
#include "scaled_presentation.h"
#include "screen_depth.h"
#include "screenshot.h"
#include "sdl_input.h"
#include "sdl_keys.h"
#include "sdl_window_identity.h"
#include "surface_presentation.h"
#include "window_manager.h"
#include "window_setup.h"

namespace {

SDL_Window* gWindow;
SDL_Renderer* gRenderer;
bool gOnSurface;  // no renderer: the picture goes straight into the window's surface
bool gFullscreen;
int gWindowedWidth;
int gWindowedHeight;
bool gPrepared;  // BackendPreparePresent drew the picture that BackendPresent shows

// A full-screen switch asked of the window manager that it has not shown yet. Until it does,
// its state is its answer to an older request, not a change of its own.
struct SwitchAsked {
    bool waiting;
    bool fullscreen;
    uint32_t since;
};
SwitchAsked gSwitchAsked;
const uint32_t kSwitchAnswerMilliseconds = 1000;  // a window manager that ignores us

bool SwitchAnswerIsLate() {
    return SDL_GetTicks() - gSwitchAsked.since > kSwitchAnswerMilliseconds;
}

bool StartVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return true;
    }
    SetWindowClassForDesktop();
    if (!StartVideoOnPlayersDisplay()) {
        return false;
    }
    WatchForDisplayLoss();
    StartQuitSignalWatch();  // its wake-ups go into SDL's event queue
    return true;
}

// Out of full screen the window is the mode's size again, in the middle of the display.
void TakeWindowedSize() {
    SDL_SetWindowSize(gWindow, gWindowedWidth, gWindowedHeight);
    SDL_SetWindowPosition(gWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

// Desktop full-screen is a request to the window manager; where none runs, the window covers
// the display itself. A window manager may be slow to resize the window while SDL already
// scales as if it covered the display, so the window takes the display's bounds itself first.
void SetFullscreen(bool fullscreen) {
    if (gWindow == nullptr) {
        return;
    }
    if (!WindowManagerRuns(gWindow)) {
        // SDL's flag from a window manager that has gone since would keep SDL from resizing.
        if ((SDL_GetWindowFlags(gWindow) & SDL_WINDOW_FULLSCREEN) != 0) {
            SDL_SetWindowFullscreen(gWindow, 0);
        }
        CoverDisplayWithoutWindowManager(gWindow, fullscreen, gWindowedWidth, gWindowedHeight);
        gFullscreen = fullscreen;
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
    gSwitchAsked = {true, fullscreen, SDL_GetTicks()};
    gFullscreen = fullscreen;
    PlatformRepaintNeeded();
    if (!fullscreen) {
        TakeWindowedSize();
    }
}

// The player's own switch, kept for the next run.
void RememberFullscreen(bool fullscreen) {
    RememberSetting("window", fullscreen ? "0" : "1");
}

bool IsAltEnter(const SDL_KeyboardEvent& key) {
    return (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) &&
           (key.keysym.mod & KMOD_ALT) != 0;
}

// The window manager, or a display going away, may change full screen behind our back; SDL
// does not notice, so its flag (which its next switch and its minimising on focus loss start
// from) is brought in line with what the window manager shows. Without a window manager full
// screen is our own borderless cover, which SDL's flag does not show, and nobody else changes it.
void FollowFullscreenState() {
    if (gWindow == nullptr || !WindowManagerRuns(gWindow)) {
        return;
    }
    const bool shown = WindowManagerShowsFullscreen(gWindow);
    if (gSwitchAsked.waiting) {
        const bool answered = shown == gSwitchAsked.fullscreen;
        gSwitchAsked.waiting = !answered && !SwitchAnswerIsLate();
        if (gSwitchAsked.waiting || answered) {
            return;
        }
    }
    const bool sdlThinks = (SDL_GetWindowFlags(gWindow) & SDL_WINDOW_FULLSCREEN) != 0;
    if (shown != sdlThinks) {
        SDL_SetWindowFullscreen(gWindow, shown ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    }
    if (shown != gFullscreen) {
        gFullscreen = shown;
        RememberFullscreen(shown);
        PlatformRepaintNeeded();
        if (!shown) {
            TakeWindowedSize();  // not the display-sized window full screen began with
        }
    }
}

// The window manager's answer to a switch can come together with a change of its own (the
// player switched back at once): the state read then is not the one asked for, and no further
// event may come. Once the answer is late, the window's real state is followed all the same.
void FollowAnUnansweredSwitch() {
    if (gSwitchAsked.waiting && SwitchAnswerIsLate()) {
        gSwitchAsked.waiting = false;
        FollowFullscreenState();
    }
}

// In full screen the program owns the display, as in exclusive mode on Windows: switching away
// minimises it (SDL asks the window manager to; without one we stop frames all the same), and
// coming back restores it. A window keeps running unfocused.
void HandleFocusChange(bool focused) {
    if (!focused) {
        ReleaseAllInputKeys();
        PlatformFocusLost();
        if (gFullscreen) {
            PlatformWindowMinimised(true);
        }
        return;
    }
    PlatformFocusGained();
    if ((SDL_GetWindowFlags(gWindow) & SDL_WINDOW_MINIMIZED) == 0) {
        PlatformWindowMinimised(false);
    }
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
            PlatformRepaintNeeded();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            HandleFocusChange(false);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            HandleFocusChange(true);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
            FollowFullscreenState();
            RepaintWholeSurface();
            PlatformRepaintNeeded();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            RepaintWholeSurface();
            PlatformRepaintNeeded();
            break;
        default:
            break;
    }
}

void HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            EndIfCompositorLost(gWindow);
            PlatformCloseRequested();
            break;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(event.window);
            break;
        case SDL_KEYDOWN:
            if (IsAltEnter(event.key)) {
                if (!event.key.repeat) {
                    SetFullscreen(!gFullscreen);
                    RememberFullscreen(gFullscreen);
                }
            } else if (event.key.keysym.sym == SDLK_F9) {
                if (!event.key.repeat) {
                    TakeScreenshot();
                }
            } else if (int key = VirtualKeyFromSdl(event.key.keysym.sym)) {
                ReportKeyboardKey(key, true);
            }
            break;
        case SDL_KEYUP:
            if (int key = VirtualKeyFromSdl(event.key.keysym.sym)) {
                ReportKeyboardKey(key, false);
            }
            break;
        case SDL_MOUSEMOTION:
            PlatformMouseMoved();
            break;
        case SDL_SYSWMEVENT:
            if (IsWindowStateChange(*event.syswm.msg)) {
                FollowFullscreenState();
            }
            break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            ReleaseScaledPresentation();
            ReleasePictureTexture();
            PlatformRepaintNeeded();
            break;
        default:
            HandleGamepadEvent(event);
            break;
    }
}

bool ForwardQuitSignal() {
    if (!TakeQuitSignal()) {
        return false;
    }
    PlatformCloseRequested();
    return true;
}

bool WaitForEvent(SDL_Event* event, uint32_t milliseconds) {
    if (milliseconds == kBackendWaitForEvent) {
        return SDL_WaitEvent(event) != 0;
    }
    return SDL_WaitEventTimeout(event, static_cast<int>(milliseconds)) != 0;
}

}  // namespace

uint32_t BackendMilliseconds() {
    return SDL_GetTicks();
}

void BackendSleep(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

// The window shows a picture when it is presented: the frame starts at its planned wake.
uint64_t BackendSleepUntilFrame(uint64_t wake, uint64_t) {
    BackendSleepUntil(wake);
    return wake;
}

uint64_t BackendSleepUntilOrKeyFrame(uint64_t wake, uint64_t due) {
    return BackendSleepUntilFrame(wake, due);
}

void BackendDebugOutput(const char*) {}

bool BackendOpenWindow(const char* caption, int width, int height) {
    if (!StartVideo()) {
        return false;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
    int display = ChosenDisplay(SdlProgramOptions().display);
    ScaleSize windowed = WindowedSizeOn(display, width, height);
    gWindowedWidth = windowed.width;
    gWindowedHeight = windowed.height;
    // Hidden until it can show a picture: where it cannot, the player sees only the message box.
    gWindow =
        SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                         SDL_WINDOWPOS_CENTERED_DISPLAY(display), gWindowedWidth, gWindowedHeight,
                         SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (gWindow == nullptr) {
        fprintf(stderr, "zephyx: no window can be opened: %s\n", SDL_GetError());
        return false;
    }
    SetWindowIconForDesktop(gWindow);
    const ProgramOptions& options = SdlProgramOptions();
    Presentation presentation;
    if (!ChoosePresentation(gWindow, options.renderer, options.vsync, &presentation)) {
        const int depth = UnsupportedScreenDepth(gWindow);
        SDL_DestroyWindow(gWindow);
        gWindow = nullptr;
        if (depth != 0) {
            ReportUnsupportedScreenDepth(depth);
        } else {
            ReportNoPresentation(options.renderer);
        }
        return false;
    }
    gRenderer = presentation.renderer;
    gOnSurface = presentation.onSurface;
    ChooseVsync(gWindow, gRenderer, options.vsync);
    DescribePresentation(presentation);
    if (gOnSurface || IsCpuRenderer(gRenderer)) {
        MeasureCpuScaling(width, height);
    }
    SDL_ShowWindow(gWindow);
    KeepChosenSettings();
    SDL_ShowCursor(SDL_DISABLE);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);  // the window manager's own full-screen changes
    StartGamepads();
    PresentLogStart();
    return true;
}

void BackendCloseWindow() {
    StopScreenshots();  // a screenshot taken just before the end is written all the same
    PresentLogFinish();
    StopGamepads();
    ReleaseScaledPresentation();
    ReleaseSurfacePresentation();
    gOnSurface = false;
    ReleasePictureTexture();
    if (gRenderer != nullptr) {
        SDL_DestroyRenderer(gRenderer);
        gRenderer = nullptr;
    }
    if (gWindow != nullptr) {
        SDL_DestroyWindow(gWindow);
        gWindow = nullptr;
    }
    gFullscreen = false;
    gSwitchAsked = {};
}

// A signal's close request comes first, whatever input waits; input stays in SDL's queue while
// the platform's is full.
void BackendPumpEvents(uint32_t waitMilliseconds) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || ForwardQuitSignal()) {
        return;
    }
    SDL_Event event;
    if (waitMilliseconds > 0 && PlatformCanTakeEvent() && WaitForEvent(&event, waitMilliseconds)) {
        HandleEvent(event);
    }
    while (!ForwardQuitSignal() && PlatformCanTakeEvent() && SDL_PollEvent(&event)) {
        HandleEvent(event);
    }
    FollowAnUnansweredSwitch();
}

void BackendShowCursor(bool shown) {
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void BackendMessageBox(const char* text, const char* caption) {
    if (ShowClosableErrorBox(caption, text, gWindow) != 0) {
        fprintf(stderr, "%s: %s\n", caption, text);
    }
}

void BackendSetExclusiveFullscreen() {
    if (SdlProgramOptions().fullscreen) {
        SetFullscreen(true);
    }
}

void BackendSetDisplayMode(int width, int height) {
    EnsurePictureTexture(gRenderer, width, height);
    StartScreenshots(width, height);
}

void BackendPreparePresent(const uint8_t* pixels, int width, int height, int pitch,
                           const BackendColor palette[256]) {
    if (gOnSurface) {
        gPrepared = DrawOnSurface(gWindow, pixels, width, height, pitch, palette,
                                  SdlProgramOptions().scale);
        return;
    }
    gPrepared = UpdatePictureTexture(gRenderer, pixels, width, height, pitch, palette);
    if (!gPrepared) {
        PlatformRepaintNeeded();  // nothing will reach the screen: try again with the next flip
        return;
    }
    SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
    SDL_RenderClear(gRenderer);
    DrawScaledPicture(gRenderer, PictureTexture(), SdlProgramOptions().scale);
    SubmitDrawing(gRenderer);  // the drawing now, the present in its turn
}

void BackendPresent(const uint8_t* pixels, int width, int height, int pitch,
                    const BackendColor[256]) {
    if (!gPrepared) {
        return;
    }
    gPrepared = false;
    if (gOnSurface) {
        SendSurface(gWindow);
    } else {
        SDL_RenderPresent(gRenderer);
    }
    PresentLogPresented(pixels, width, height, pitch);
}

// The screen already shows the picture: converting, uploading and presenting it again would
// cost as much as a changed one.
void BackendPresentUnchanged() {
    PresentLogUnchanged();
}

void BackendObjectDestroyed(const void*, const char*, int, int) {}
