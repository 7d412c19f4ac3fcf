// Whole frames of the SDL backend, event pump included, allocate nothing once warm: the title,
// a game steered from the keyboard, and the frames in which F9 takes a screenshot. The writer
// thread may allocate, so only the frames' thread is counted; the files must still come out,
// the last one even when the window closes right after F9.
#include <dirent.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/scene.h"
#include "sdl_program_fixture.h"
#include "support/allocation_counter.h"
#include "support/png_pixels.h"
#include "support/temporary_folder.h"

namespace {

class SdlFramesTest : public SdlProgramTest {
protected:
    void SetUp() override {
        setenv("XDG_PICTURES_DIR", pictures.path().c_str(), 1);
        SdlProgramTest::SetUp();
    }

    size_t AllocationsOver(int frames) {
        const size_t before = AllocationCountOnThisThread();
        RunFramesUntil(frames);
        return AllocationCountOnThisThread() - before;
    }

    // SDL keeps its queue's entries for reuse, and takes a new one whenever the queue grows
    // longer than ever before: room for more than a frame's events is made before counting.
    static void WarmEventQueue() {
        SDL_Event event{};
        event.type = SDL_USEREVENT;
        for (int i = 0; i < 64; ++i) {
            SDL_PushEvent(&event);
        }
        SDL_FlushEvent(SDL_USEREVENT);
    }

    static void PressF9() {
        PushKey(SDLK_F9, true);
        PushKey(SDLK_F9, false);
    }

    // Lets the writer finish the screenshots asked for so far: F9 is refused while the one
    // before is still being written, which on a loaded machine can outlast many frames.
    void WaitForScreenshots(int count) {
        ASSERT_TRUE(RunFramesUntil(kWriterFrames, [&] { return WholeScreenshots() == count; }))
            << count << " screenshots written";
    }

    static constexpr int kWriterFrames = 1200;

    // How many screenshots are whole 640x480 PNG files.
    int WholeScreenshots() const {
        int whole = 0;
        const std::string folder = pictures.path() + "/zephyx/";
        if (DIR* listing = opendir(folder.c_str())) {
            while (const dirent* entry = readdir(listing)) {
                int width = 0, height = 0;
                whole += !ReadPngRgb(folder + entry->d_name, &width, &height).empty() &&
                         width == 640 && height == 480;
            }
            closedir(listing);
        }
        return whole;
    }

    TemporaryFolder pictures;
};

TEST_F(SdlFramesTest, TitleGameAndScreenshotFramesAllocateNothing) {
    ASSERT_TRUE(RunFramesUntil(10, [] { return gScene == kSceneTitle; }));
    WarmEventQueue();
    AllocationsOver(70);  // warm: the counter text is first formatted after a second
    EXPECT_EQ(AllocationsOver(30), 0u) << "title";
    PressF9();
    EXPECT_EQ(AllocationsOver(20), 0u) << "title with F9";
    WaitForScreenshots(1);

    PushKey(SDLK_SPACE, true);
    ASSERT_TRUE(RunFramesUntil(60, [] { return gScene == kSceneGame; }));
    AllocationsOver(10);
    PushKey(SDLK_LEFT, true);
    EXPECT_EQ(AllocationsOver(30), 0u) << "a game, firing and steering";
    PressF9();
    EXPECT_EQ(AllocationsOver(20), 0u) << "a game with F9";
    WaitForScreenshots(2);

    PressF9();
    HandleMessages();
    CloseWindow();
    EXPECT_EQ(WholeScreenshots(), 3);
}

}  // namespace
