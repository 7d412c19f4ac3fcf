#include "screenshot.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "../src/png_file.h"
#include "../src/shown_picture.h"
#include "pictures_folder.h"
#include "screenshot_files.h"

namespace {

// A picture taken by F9, as the platform showed it.
struct TakenPicture {
    std::vector<uint8_t> indices;
    BackendColor palette[256];
    int width = 0;
    int height = 0;
    time_t when = 0;
};

void ConvertToRgb(const TakenPicture& picture, uint8_t* rgb) {
    const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    for (size_t i = 0; i < count; ++i) {
        const BackendColor& colour = picture.palette[picture.indices[i]];
        rgb[i * 3] = colour.red;
        rgb[i * 3 + 1] = colour.green;
        rgb[i * 3 + 2] = colour.blue;
    }
}

void WritePng(const uint8_t* rgb, int width, int height, time_t taken) {
    std::tm local;
    localtime_r(&taken, &local);
    const char* home = getenv("HOME");
    const std::string path =
        NewScreenshotPath(ScreenshotFolders(PicturesDir().c_str(), home), local);
    if (path.empty()) {
        fprintf(stderr, "zephyx: no screenshot: no folder for it can be made or written\n");
        return;
    }
    std::string error;
    if (WriteRgbPng(path.c_str(), rgb, width, height, error)) {
        fprintf(stderr, "zephyx: screenshot saved as %s\n", path.c_str());
    } else {
        fprintf(stderr, "zephyx: screenshot %s not written: %s\n", path.c_str(), error.c_str());
    }
}

// One picture waits for the writer while it writes the one before: F9 as fast as a player
// presses it costs the frame a copy and nothing more.
class ScreenshotWriter {
public:
    ~ScreenshotWriter() {
        Stop();
        // Only what was made: on Windows SDL picks its implementation of these when the first
        // is made, and destroying a null one before that calls nothing there.
        if (wake_ != nullptr) {
            SDL_DestroyCond(wake_);
        }
        if (mutex_ != nullptr) {
            SDL_DestroyMutex(mutex_);
        }
    }

    void Start(int width, int height) {
        const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
        if (thread_ != nullptr && taken_.indices.size() == count) {
            return;
        }
        Stop();
        taken_.indices.assign(count, 0);
        rgb_.assign(count * 3, 0);
        if (mutex_ == nullptr) {
            mutex_ = SDL_CreateMutex();
            wake_ = SDL_CreateCond();
        }
        if (mutex_ != nullptr && wake_ != nullptr) {
            thread_ = SDL_CreateThread(&ScreenshotWriter::Run, "screenshots", this);
        }
    }

    void Take(const PlatformPicture& picture) {
        SDL_LockMutex(mutex_);
        const bool busy = waiting_;
        SDL_UnlockMutex(mutex_);
        if (busy) {
            fprintf(stderr, "zephyx: no screenshot: the one before is not written yet\n");
            return;
        }
        const size_t count =
            static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
        if (thread_ == nullptr || count > taken_.indices.size()) {
            fprintf(stderr, "zephyx: no screenshot: no room was made for a %dx%d picture\n",
                    picture.width, picture.height);
            return;
        }
        // Copied without the lock: the writer reads the slot only once it is marked waiting.
        memcpy(taken_.indices.data(), picture.indices, count);
        memcpy(taken_.palette, picture.palette, sizeof taken_.palette);
        taken_.width = picture.width;
        taken_.height = picture.height;
        taken_.when = time(nullptr);
        SDL_LockMutex(mutex_);
        waiting_ = true;
        SDL_UnlockMutex(mutex_);
        SDL_CondSignal(wake_);
    }

    void Stop() {
        if (thread_ == nullptr) {
            return;
        }
        SDL_LockMutex(mutex_);
        stopping_ = true;
        SDL_UnlockMutex(mutex_);
        SDL_CondSignal(wake_);
        SDL_WaitThread(thread_, nullptr);
        thread_ = nullptr;
        stopping_ = false;
    }

private:
    // Until stopped with nothing waiting: each picture through its palette into the writer's
    // own memory, which frees the slot for the next F9, then to its file.
    static int Run(void* writer) {
        // Below the frames: on a busy machine the picture may wait, the game should not.
        SDL_SetThreadPriority(SDL_THREAD_PRIORITY_LOW);
        static_cast<ScreenshotWriter*>(writer)->WriteEachPicture();
        return 0;
    }

    void WriteEachPicture() {
        for (;;) {
            SDL_LockMutex(mutex_);
            while (!waiting_ && !stopping_) {
                SDL_CondWait(wake_, mutex_);
            }
            const bool done = !waiting_;
            SDL_UnlockMutex(mutex_);
            if (done) {
                return;
            }
            ConvertToRgb(taken_, rgb_.data());
            const int width = taken_.width, height = taken_.height;
            const time_t when = taken_.when;
            SDL_LockMutex(mutex_);
            waiting_ = false;
            SDL_UnlockMutex(mutex_);
            WritePng(rgb_.data(), width, height, when);
        }
    }

    // SDL's threads rather than the standard library's, which not every Windows compiler has.
    SDL_mutex* mutex_ = nullptr;
    SDL_cond* wake_ = nullptr;
    bool waiting_ = false;  // taken_ holds a picture the writer has not converted yet
    bool stopping_ = false;
    TakenPicture taken_;
    std::vector<uint8_t> rgb_;  // the writer's: the picture being written
    SDL_Thread* thread_ = nullptr;
};

ScreenshotWriter gWriter;

}  // namespace

void StartScreenshots(int width, int height) {
    gWriter.Start(width, height);
}

void TakeScreenshot() {
    const PlatformPicture picture = PlatformShownPicture();
    if (picture.indices == nullptr) {
        fprintf(stderr, "zephyx: no screenshot: nothing has been shown yet\n");
        return;
    }
    gWriter.Take(picture);
}

void StopScreenshots() {
    gWriter.Stop();
}
