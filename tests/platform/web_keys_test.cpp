// The browser's key names to virtual keys: every key the game reads, and nothing for the keys
// it has no use for, so the page leaves those to the browser.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/web/web_keys.h"

namespace {

TEST(WebKeys, TheGameKeysMapToTheirVirtualKeys) {
    EXPECT_EQ(VirtualKeyFromCode("ArrowLeft"), VK_LEFT);
    EXPECT_EQ(VirtualKeyFromCode("ArrowRight"), VK_RIGHT);
    EXPECT_EQ(VirtualKeyFromCode("ArrowUp"), VK_UP);
    EXPECT_EQ(VirtualKeyFromCode("ArrowDown"), VK_DOWN);
    EXPECT_EQ(VirtualKeyFromCode("Space"), VK_SPACE);
    EXPECT_EQ(VirtualKeyFromCode("Escape"), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyFromCode("F12"), VK_F12);
}

TEST(WebKeys, LettersDigitsAndFunctionKeysKeepTheirOrder) {
    EXPECT_EQ(VirtualKeyFromCode("KeyA"), 'A');
    EXPECT_EQ(VirtualKeyFromCode("KeyZ"), 'Z');
    EXPECT_EQ(VirtualKeyFromCode("Digit0"), '0');
    EXPECT_EQ(VirtualKeyFromCode("Digit9"), '9');
    EXPECT_EQ(VirtualKeyFromCode("F1"), 0x70);
    EXPECT_EQ(VirtualKeyFromCode("F10"), 0x79);
    EXPECT_EQ(VirtualKeyFromCode("Enter"), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromCode("NumpadEnter"), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromCode("AltLeft"), VK_MENU);
    EXPECT_EQ(VirtualKeyFromCode("AltRight"), VK_MENU);
}

TEST(WebKeys, KeysWithoutUseAndNearMissesGiveNothing) {
    for (const char* code : {"", "Tab", "F13", "F0", "F1x", "KeyAB", "Keya", "Key", "Digit",
                             "Digit10", "Numpad1", "ArrowLeftX", "space", "MetaLeft"}) {
        EXPECT_EQ(VirtualKeyFromCode(code), 0) << code;
    }
    EXPECT_EQ(VirtualKeyFromCode(nullptr), 0);
}

}  // namespace
