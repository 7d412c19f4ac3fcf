// Time stamps of a program's presents, taken from outside it: loaded with LD_PRELOAD, this
// library stands in for SDL_RenderPresent, notes the monotonic time (microseconds) just after
// the real one returns, and writes one "P <microseconds>" line per present to the file named
// by ZEPHYX_PRESENT_STAMPS when the program exits. It works on any build of the program, so
// the measurement scripts can set an older build beside the current one.
#include <SDL.h>
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr size_t kMaxStamps = 60 * 60 * 60;  // an hour at 60 a second
uint64_t gStamps[kMaxStamps];
size_t gCount;

uint64_t Microseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000 + static_cast<uint64_t>(now.tv_nsec) / 1000;
}

__attribute__((destructor)) void WriteStamps() {
    const char* path = getenv("ZEPHYX_PRESENT_STAMPS");
    FILE* file = path != nullptr ? fopen(path, "w") : nullptr;
    if (file == nullptr) {
        return;
    }
    for (size_t i = 0; i < gCount; ++i) {
        fprintf(file, "P %llu\n", static_cast<unsigned long long>(gStamps[i]));
    }
    fclose(file);
}

}  // namespace

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer) {
    using Present = void (*)(SDL_Renderer*);
    static Present real = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    real(renderer);
    if (gCount < kMaxStamps) {
        gStamps[gCount++] = Microseconds();
    }
}
