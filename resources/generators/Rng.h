#pragma once

#include <cstdint>

namespace zentor::art {

// Seeded xorshift64* noise: the same seed gives the same artwork and sound on
// every machine, which a library generator would not promise.
class Rng {
public:
    explicit constexpr Rng(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}

    constexpr std::uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }

    // Uniform in [0, 1), 53 bits.
    constexpr double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform in [-1, 1).
    constexpr double symmetric() { return 2.0 * uniform() - 1.0; }

private:
    std::uint64_t state_;
};

} // namespace zentor::art
