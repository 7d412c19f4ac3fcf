// A pad through SDL itself: a virtual controller, the SDL backend's event pump, and the real
// game reading the keys the pad holds, alone and together with the keyboard.
#include <gtest/gtest.h>

#include <SDL.h>

#include "game/actor.h"
#include "game/scene.h"
#include "sdl_program_fixture.h"

namespace {

class SdlGamepadTest : public SdlProgramTest {
protected:
    void SetUp() override {
        SdlProgramTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
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
        SdlProgramTest::TearDown();
    }

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

// The fire key held on the keyboard (the space bar) and on the pad (the south button): while
// one source holds it, the other pressing and releasing it changes nothing.
class SdlKeyboardAndPadTest : public SdlGamepadTest, public ::testing::WithParamInterface<bool> {
protected:
    bool HoldFire(bool onKeyboard, bool down) {
        if (onKeyboard) {
            PushKey(SDLK_SPACE, down);
        } else {
            SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, down);
        }
        HandleMessages();
        return (GetAsyncKeyState(VK_SPACE) & 0x8000) != 0;
    }
};

TEST_P(SdlKeyboardAndPadTest, AKeyStaysDownWhileTheOtherSourcePressesAndReleasesIt) {
    const bool keyboardFirst = GetParam();
    EXPECT_TRUE(HoldFire(keyboardFirst, true));
    EXPECT_TRUE(HoldFire(!keyboardFirst, true));
    EXPECT_TRUE(HoldFire(!keyboardFirst, false)) << "released while the first source holds it";
    EXPECT_FALSE(HoldFire(keyboardFirst, false)) << "held when no source holds it";
}

INSTANTIATE_TEST_SUITE_P(BothWays, SdlKeyboardAndPadTest, ::testing::Bool(), [](const auto& info) {
    return info.param ? "KeyboardFirst" : "PadFirst";
});

}  // namespace
