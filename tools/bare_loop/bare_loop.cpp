// The baselines the measurement scripts run beside the zephyx program, on the same machine at
// the same time:
//
//   zephyx_bare_loop sleep SECONDS LOG   sleeps to absolute 60 Hz deadlines on the monotonic
//                                        clock and writes each wake-up time (microseconds) to
//                                        LOG: the best pacing this machine allows a sleeper.
//   zephyx_bare_loop present             opens a 640x480 window and, 60 times a second until
//                                        ended, refills a 640x480 streaming texture and
//                                        presents it through SDL: the least a program that
//                                        shows a fresh picture every frame can cost.
//   zephyx_bare_loop keys surface|renderer LOG
//                                        opens a 640x480 window and, 60 times a second until
//                                        ended, reads the keys 0.5 ms before the deadline,
//                                        draws a block in the bottom band that the arrow keys
//                                        move as they move the ship, and presents at the
//                                        deadline, into the window's surface or through SDL's
//                                        renderer; it logs each present as the program's
//                                        ZEPHYX_PRESENT_LOG does: the soonest a key can show.
//
// They wait exactly as the program's Flip does, so only the work differs.
#include <SDL.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr uint64_t kPicturesPerSecond = 60;
constexpr uint64_t kMicrosecondsPerSecond = 1000000;

volatile sig_atomic_t gStop;

uint64_t Microseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * kMicrosecondsPerSecond +
           static_cast<uint64_t>(now.tv_nsec) / 1000;
}

void SleepUntil(uint64_t deadline) {
    timespec until;
    until.tv_sec = static_cast<time_t>(deadline / kMicrosecondsPerSecond);
    until.tv_nsec = static_cast<long>(deadline % kMicrosecondsPerSecond * 1000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR && !gStop) {
    }
}

uint64_t Due(uint64_t start, uint64_t picture) {
    return start + picture * kMicrosecondsPerSecond / kPicturesPerSecond;
}

int RunSleeper(double seconds, const char* logPath) {
    const uint64_t pictures = static_cast<uint64_t>(seconds * kPicturesPerSecond);
    std::vector<uint64_t> wakes;
    wakes.reserve(pictures);
    const uint64_t start = Microseconds();
    for (uint64_t picture = 1; picture <= pictures && !gStop; ++picture) {
        SleepUntil(Due(start, picture));
        wakes.push_back(Microseconds());
    }
    FILE* log = fopen(logPath, "w");
    if (log == nullptr) {
        fprintf(stderr, "zephyx_bare_loop: cannot write %s\n", logPath);
        return 1;
    }
    for (uint64_t wake : wakes) {
        fprintf(log, "P %llu\n", static_cast<unsigned long long>(wake));
    }
    fclose(log);
    return 0;
}

void Refill(SDL_Texture* texture, uint32_t frame) {
    void* texels;
    int pitch;
    if (SDL_LockTexture(texture, nullptr, &texels, &pitch) != 0) {
        return;
    }
    for (int y = 0; y < kHeight; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(texels) + y * pitch);
        for (int x = 0; x < kWidth; ++x) {
            row[x] = 0xFF000000u | ((x + frame) & 0xFF) << 16 | (y & 0xFF) << 8 | (frame & 0xFF);
        }
    }
    SDL_UnlockTexture(texture);
}

int RunPresenter() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "zephyx_bare_loop: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("bare presenter", SDL_WINDOWPOS_UNDEFINED,
                                          SDL_WINDOWPOS_UNDEFINED, kWidth, kHeight, 0);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Texture* texture = renderer
                               ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                   SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight)
                               : nullptr;
    if (texture == nullptr) {
        fprintf(stderr, "zephyx_bare_loop: %s\n", SDL_GetError());
        return 1;
    }
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) == 0) {
        printf("bare presenter: SDL renderer %s\n", info.name);
        fflush(stdout);
    }
    const uint64_t start = Microseconds();
    for (uint64_t picture = 1; !gStop; ++picture) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) {
                gStop = 1;
            }
        }
        Refill(texture, static_cast<uint32_t>(picture));
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        SleepUntil(Due(start, picture));
    }
    SDL_Quit();
    return 0;
}

constexpr uint64_t kSampleBeforeDeadline = 500;  // microseconds
constexpr int kBlockSize = 32;

struct KeysWindow {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;  // null: the window's surface
};

bool OpenKeysWindow(bool throughRenderer, KeysWindow* keys) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    keys->window = SDL_CreateWindow("bare keys", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                    kWidth, kHeight, 0);
    if (keys->window == nullptr) {
        return false;
    }
    if (!throughRenderer) {
        return SDL_GetWindowSurface(keys->window) != nullptr;
    }
    keys->renderer = SDL_CreateRenderer(keys->window, -1, 0);
    SDL_RendererInfo info;
    if (keys->renderer == nullptr || SDL_GetRendererInfo(keys->renderer, &info) != 0) {
        return false;
    }
    printf("bare keys: SDL renderer %s\n", info.name);
    fflush(stdout);
    return true;
}

// A dark picture with a light block in the bottom band at `x`.
void DrawKeysPicture(const KeysWindow& keys, int x) {
    const SDL_Rect block = {x, kHeight - kBlockSize, kBlockSize, kBlockSize};
    if (keys.renderer == nullptr) {
        SDL_Surface* surface = SDL_GetWindowSurface(keys.window);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 7, 4, 48));
        SDL_FillRect(surface, &block, SDL_MapRGB(surface->format, 250, 250, 250));
        return;
    }
    SDL_SetRenderDrawColor(keys.renderer, 7, 4, 48, 255);
    SDL_RenderClear(keys.renderer);
    SDL_SetRenderDrawColor(keys.renderer, 250, 250, 250, 255);
    SDL_RenderFillRect(keys.renderer, &block);
}

void ShowKeysPicture(const KeysWindow& keys) {
    if (keys.renderer == nullptr) {
        SDL_UpdateWindowSurface(keys.window);
    } else {
        SDL_RenderPresent(keys.renderer);
    }
}

int RunKeys(bool throughRenderer, const char* logPath) {
    KeysWindow keys;
    if (!OpenKeysWindow(throughRenderer, &keys)) {
        fprintf(stderr, "zephyx_bare_loop: %s\n", SDL_GetError());
        return 1;
    }
    std::vector<uint64_t> presents;
    std::vector<int> positions;
    presents.reserve(60 * 60 * 60);
    positions.reserve(60 * 60 * 60);
    int x = kWidth / 2;
    const uint64_t start = Microseconds();
    for (uint64_t picture = 1; !gStop && presents.size() < presents.capacity(); ++picture) {
        const uint64_t due = Due(start, picture);
        SleepUntil(due - kSampleBeforeDeadline);
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            gStop = gStop || event.type == SDL_QUIT;
        }
        const uint8_t* state = SDL_GetKeyboardState(nullptr);
        x += 2 * (state[SDL_SCANCODE_RIGHT] - state[SDL_SCANCODE_LEFT]);
        x = x < 0 ? 0 : x > kWidth - kBlockSize ? kWidth - kBlockSize : x;
        DrawKeysPicture(keys, x);
        SleepUntil(due);
        ShowKeysPicture(keys);
        presents.push_back(Microseconds());
        positions.push_back(x);
    }
    SDL_Quit();
    FILE* log = fopen(logPath, "w");
    if (log == nullptr) {
        fprintf(stderr, "zephyx_bare_loop: cannot write %s\n", logPath);
        return 1;
    }
    for (size_t i = 0; i < presents.size(); ++i) {
        fprintf(log, "P %llu %016x\n", static_cast<unsigned long long>(presents[i]), positions[i]);
    }
    fclose(log);
    return 0;
}

void Stop(int) {
    gStop = 1;
}

}  // namespace

int main(int argc, char** argv) {
    signal(SIGTERM, Stop);
    signal(SIGINT, Stop);
    if (argc == 4 && strcmp(argv[1], "sleep") == 0) {
        return RunSleeper(atof(argv[2]), argv[3]);
    }
    if (argc == 2 && strcmp(argv[1], "present") == 0) {
        return RunPresenter();
    }
    if (argc == 4 && strcmp(argv[1], "keys") == 0) {
        return RunKeys(strcmp(argv[2], "renderer") == 0, argv[3]);
    }
    fprintf(stderr, "usage: %s sleep SECONDS LOG | %s present | %s keys surface|renderer LOG\n",
            argv[0], argv[0], argv[0]);
    return 2;
}
