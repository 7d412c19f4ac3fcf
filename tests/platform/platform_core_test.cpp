// The platform core's clock, keyboard, formatting and debugger output, on the headless backend.
#include <gtest/gtest.h>

#include <mmsystem.h>
#include <windows.h>

#include <string>

#include "headless.h"

class PlatformCoreTest : public ::testing::Test {
protected:
    void SetUp() override { HeadlessReset(); }
};

TEST_F(PlatformCoreTest, TickCountAndMultimediaTimerShareOneClockThatSleepAdvancesAndWraps) {
    HeadlessSetTime(0xFFFFFFF0u);
    EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    Sleep(0x20);
    EXPECT_EQ(timeGetTime(), 0x10u);
    EXPECT_EQ(GetTickCount(), 0x10u);
    EXPECT_EQ(timeGetTime() - 0xFFFFFFF0u, 0x20u);
}

TEST_F(PlatformCoreTest, AsyncKeyStateReportsTheHighBitWhileDown) {
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE), 0);
    HeadlessKeyDown(VK_SPACE);
    EXPECT_TRUE(GetAsyncKeyState(VK_SPACE) & 0x8000);
    EXPECT_EQ(GetAsyncKeyState(VK_LEFT), 0);
    HeadlessKeyUp(VK_SPACE);
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE), 0);

    // Codes outside the table are simply up, never an out-of-bounds read.
    HeadlessKeyDown(-1);
    HeadlessKeyDown(256);
    EXPECT_EQ(GetAsyncKeyState(-1), 0);
    EXPECT_EQ(GetAsyncKeyState(256), 0);
    EXPECT_EQ(GetAsyncKeyState(100000), 0);

    HeadlessKeyDown(VK_RIGHT);
    HeadlessReset();
    EXPECT_EQ(GetAsyncKeyState(VK_RIGHT), 0) << "a reset releases every key";
}

TEST_F(PlatformCoreTest, WsprintfFollowsPrintfRulesAndStopsAt1024Characters) {
    char buffer[2048];
    EXPECT_EQ(wsprintfA(buffer, "%04d FPS", 60), 8);
    EXPECT_STREQ(buffer, "0060 FPS");
    EXPECT_EQ(wsprintfA(buffer, "%04d FPS", 123456), 10);
    EXPECT_STREQ(buffer, "123456 FPS");

    std::string longText(1500, 'x');
    EXPECT_EQ(wsprintfA(buffer, "%s", longText.c_str()), 1024);
    EXPECT_EQ(std::string(buffer).size(), 1024u);
}

TEST_F(PlatformCoreTest, DebugOutputIsRecordedUnchangedInOrder) {
    OutputDebugStringA("DirectDrawCreateEx OK\n");
    OutputDebugStringA("handle is null\n");
    OutputDebugStringA(nullptr);
    EXPECT_EQ(HeadlessDebugOutput(), "DirectDrawCreateEx OK\nhandle is null\n");
    HeadlessClearDebugOutput();
    EXPECT_EQ(HeadlessDebugOutput(), "");
}

TEST(PlatformRect, SetRectStoresTheFourEdges) {
    RECT rect;
    ASSERT_TRUE(SetRect(&rect, 175, 335, 191, 351));
    EXPECT_EQ(rect.left, 175);
    EXPECT_EQ(rect.top, 335);
    EXPECT_EQ(rect.right, 191);
    EXPECT_EQ(rect.bottom, 351);
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
}
