// The SDL backend's share of every frame: the palette lookup of the whole 640x480 picture into
// the texture's 32-bit texels. Measured on plain memory, so no window is needed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/sdl/palette_convert.h"

namespace {

void BM_PresentConvert(benchmark::State& bench) {
    constexpr int kWidth = 640;
    constexpr int kHeight = 480;
    std::vector<uint8_t> picture(kWidth * kHeight);
    uint32_t seed = 1;
    for (uint8_t& index : picture) {
        seed = seed * 1103515245u + 12345u;
        index = static_cast<uint8_t>(seed >> 24);
    }
    BackendColor palette[256];
    for (int i = 0; i < 256; ++i) {
        palette[i] = BackendColor{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    }
    std::vector<uint32_t> texels(kWidth * kHeight);
    for (auto _ : bench) {
        ConvertPalettedPicture(picture.data(), kWidth, kHeight, kWidth, palette, texels.data(),
                               kWidth * 4);
        benchmark::ClobberMemory();
    }
    bench.SetItemsProcessed(bench.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_PresentConvert);

}  // namespace
