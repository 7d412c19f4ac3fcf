// The check every flip makes before presenting: is the picture the one already on screen? At
// the title it finds the same picture nearly every frame (a compare of the whole picture and
// the palette); in a game a new one (a compare to the first difference and a copy).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/src/shown_picture.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct Picture {
    Picture() : indices(kWidth * kHeight) {
        uint32_t seed = 1;
        for (uint8_t& index : indices) {
            seed = seed * 1103515245u + 12345u;
            index = static_cast<uint8_t>(seed >> 24);
        }
        for (int i = 0; i < 256; ++i) {
            palette[i] = BackendColor{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
        }
    }
    std::vector<uint8_t> indices;
    BackendColor palette[256];
};

void BM_UnchangedPictureCheck(benchmark::State& bench) {
    Picture picture;
    PlatformPrepareShownPicture(kWidth, kHeight);
    PlatformPictureChanged(picture.indices.data(), kWidth, kHeight, kWidth, picture.palette);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(PlatformPictureChanged(picture.indices.data(), kWidth, kHeight,
                                                        kWidth, picture.palette));
    }
}
BENCHMARK(BM_UnchangedPictureCheck);

void BM_ChangedPictureCheck(benchmark::State& bench) {
    Picture picture;
    PlatformPrepareShownPicture(kWidth, kHeight);
    uint8_t frame = 0;
    for (auto _ : bench) {
        picture.indices[0] = ++frame;  // changed from the first pixel on, as a scrolled background
        benchmark::DoNotOptimize(PlatformPictureChanged(picture.indices.data(), kWidth, kHeight,
                                                        kWidth, picture.palette));
    }
}
BENCHMARK(BM_ChangedPictureCheck);

}  // namespace
