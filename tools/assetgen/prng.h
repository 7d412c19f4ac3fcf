// A small seeded generator so every run of the generator draws the same pictures.
// Used by the art files for star fields, noise and jitter; never seeded from the clock.
#pragma once

#include <cstdint>

class Prng {
public:
    explicit Prng(uint64_t seed) : state_(seed) {}

    // splitmix64: tiny, fast and identical on every compiler and platform.
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform integer in [lo, hi].
    int Range(int lo, int hi) { return lo + static_cast<int>(Next() % uint64_t(hi - lo + 1)); }

private:
    uint64_t state_;
};
