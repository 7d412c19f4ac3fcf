// A pad through SDL itself: a virtual controller, the SDL backend's event pump, and the real
// game reading the keys the pad holds. SDL's dummy video driver stands in for a screen.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <functional>

#include "app/frame.h"
#include "app/main_window.h"
#include "display/display.h"
#include "game/actor.h"
#include "platform/sdl/backend_options.h"

namespace {

class SdlGamepadTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        // The dummy screen gives no window the focus, and SDL holds back pad events then.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ProgramOptions options;
        options.fullscreen = false;
        SdlSetProgramOptions(options);
        window = CreateMainWindow(nullptr, SW_SHOWDEFAULT);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(InitDisplay(window), DD_OK);

        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "virtual pad";
        padIndex = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(padIndex, 0) << SDL_GetError();
        pad = SDL_JoystickOpen(padIndex);
        ASSERT_NE(pad, nullptr) << SDL_GetError();
    }

    void TearDown() override {
        if (pad != nullptr) {
            SDL_JoystickClose(pad);
            SDL_JoystickDetachVirtual(padIndex);
        }
        if (window != nullptr) {
            DestroyWindow(window);
        }
        SDL_Quit();
    }

    // Runs frames as the message loop does, at most `frames`, until `done` holds.
    bool RunFramesUntil(int frames, const std::function<bool()>& done) {
        for (int i = 0; i < frames; ++i) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&message);
            }
            if (done()) {
                return true;
            }
            RunFrame(window);
        }
        return done();
    }

    HWND window = nullptr;
    SDL_Joystick* pad = nullptr;
    int padIndex = -1;
};

TEST_F(SdlGamepadTest, SouthButtonStartsAGameAndFiresAndTheStickSteers) {
    ASSERT_TRUE(RunFramesUntil(10, [] { return gScene == kSceneTitle; }));
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
    EXPECT_TRUE(RunFramesUntil(120, [] { return gScene == kSceneGame; }))
        << "holding the south button on the title starts a game";
    EXPECT_TRUE(RunFramesUntil(60, [] { return gShot.life != 0; })) << "holding it in a game fires";
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, SDL_RELEASED);

    double start = gPlayer.x;
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    EXPECT_TRUE(RunFramesUntil(60, [start] { return gPlayer.x <= start - 20; }))
        << "the ship stays at " << gPlayer.x << " from " << start << " with the stick left";
    EXPECT_TRUE(GetAsyncKeyState(VK_LEFT) & 0x8000);

    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_TRUE(RunFramesUntil(5, [] { return GetAsyncKeyState(VK_LEFT) == 0; }))
        << "the stick back in the middle lets go of the key";
}

}  // namespace
