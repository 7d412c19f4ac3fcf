// The page takes the keys the game reads and nothing else: the browser's own keys and its
// shortcuts with Ctrl, Alt or Meta stay the browser's.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/web/web_keys.h"

namespace {

int Key(const char* code, bool down, bool ctrl = false, bool alt = false, bool meta = false) {
    return GameKeyFromBrowserKey(BrowserKey{code, down, ctrl, alt, meta});
}

TEST(WebKeys, TheGameKeysMapToTheirVirtualKeys) {
    EXPECT_EQ(Key("ArrowLeft", true), VK_LEFT);
    EXPECT_EQ(Key("ArrowRight", true), VK_RIGHT);
    EXPECT_EQ(Key("ArrowUp", true), VK_UP);
    EXPECT_EQ(Key("ArrowDown", true), VK_DOWN);
    EXPECT_EQ(Key("Space", true), VK_SPACE);
    EXPECT_EQ(Key("Escape", true), VK_ESCAPE);
    EXPECT_EQ(Key("F12", true), VK_F12);
}

TEST(WebKeys, TheBrowsersKeysAndNearMissesStayTheBrowsers) {
    for (const char* code :
         {"F5", "F11", "F1", "KeyR", "KeyA", "Digit0", "Enter", "NumpadEnter", "AltLeft",
          "ControlLeft", "MetaLeft", "Tab", "", "F120", "F", "ArrowLeftX", "space", "Numpad4"}) {
        EXPECT_EQ(Key(code, true), 0) << code;
        EXPECT_EQ(Key(code, false), 0) << code;
    }
    EXPECT_EQ(Key(nullptr, true), 0);
}

// Ctrl+R, Ctrl+0, Alt+Left, Ctrl+Space, Meta+Escape and the like are the browser's; but Space
// held and then Ctrl pressed, letting go of Space must still release it.
TEST(WebKeys, AModifierLeavesThePressToTheBrowserButNotTheRelease) {
    for (const char* code : {"ArrowLeft", "Space", "Escape", "F12", "KeyR", "Digit0"}) {
        EXPECT_EQ(Key(code, true, true, false, false), 0) << "Ctrl+" << code;
        EXPECT_EQ(Key(code, true, false, true, false), 0) << "Alt+" << code;
        EXPECT_EQ(Key(code, true, false, false, true), 0) << "Meta+" << code;
    }
    EXPECT_EQ(Key("Space", false, true, false, false), VK_SPACE);
    EXPECT_EQ(Key("ArrowUp", false, false, true, true), VK_UP);
}

}  // namespace
