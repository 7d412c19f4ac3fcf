// The real game on the `zephyx` program's SDL backend, SDL's dummy video driver standing in for
// a screen: keys and pads go in as SDL events, frames run as the message loop runs them.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <functional>

#include "app/frame.h"
#include "app/main_window.h"
#include "display/display.h"
#include "platform/sdl/backend_options.h"
#include "platform/sdl/sdl_input.h"
#include "platform/src/keyboard.h"
#include "platform/src/window_events.h"

class SdlProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        // The dummy screen gives no window the focus, and SDL holds back pad events then.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ProgramOptions options;
        options.fullscreen = false;
        SdlSetProgramOptions(options);
        gScene = kSceneTitleSetup;
        window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(InitDisplay(window), DD_OK);
    }

    // The next test starts as a new program would: no window class, message or key held.
    void TearDown() override {
        CloseWindow();
        SDL_Quit();
        PlatformResetWindowing();
        ReleaseAllInputKeys();
        PlatformReleaseAllKeys();
    }

    void HandleMessages() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }

    // Runs frames as the message loop does, at most `frames`, until `done` holds.
    bool RunFramesUntil(
        int frames, const std::function<bool()>& done = [] { return false; }) {
        for (int i = 0; i < frames; ++i) {
            HandleMessages();
            if (done()) {
                return true;
            }
            RunFrame(window);
        }
        return done();
    }

    // A key event for the backend's event pump, as SDL makes one from the keyboard.
    static void PushKey(SDL_Keycode key, bool down) {
        SDL_Event event;
        SDL_zero(event);
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
    }

    void CloseWindow() {
        if (window != nullptr) {
            DestroyWindow(window);
            window = nullptr;
        }
    }

    HWND window = nullptr;
};
