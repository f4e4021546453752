#pragma once

// The two passes of a smooth stretch over 32-bit pixels, each channel on its
// own in 8-bit steps, as the raster painter blends them: first between two
// source rows, then along the blended row.

#include <cstdint>
#include <span>
#include <vector>

namespace gfx::stretch {

// Whether this processor runs the passes below (x86-64 with AVX2); elsewhere
// the painter's own stretch draws.
bool rowPassesAvailable();

// `count` pixels, each channel (top * (256 - weight) + bottom * weight) >> 8,
// weight 0..256. Returns whether every pixel written is opaque.
bool blendRows(const std::uint32_t* top, const std::uint32_t* bottom, int weight,
               std::uint32_t* out, int count);

// Whether all `count` pixels are opaque.
bool opaque(const std::uint32_t* pixels, int count);

// `count` premultiplied pixels laid over `onto` as the painter lays them:
// each channel d = s + d * (255 - alpha of s) / 255, rounded its way.
void layOver(const std::uint32_t* pixels, std::uint32_t* onto, int count);

// How the pixels of a stretched row sample a source row, worked out once for
// the many rows of a stretch: pixel i lies weights[i] / 256 (0..256) of the
// way from column left[i] to the next one, and takes each channel as
// (l * (256 - w) + r * w) >> 8.
class RowSampling {
public:
    RowSampling(std::span<const std::int32_t> left, std::span<const int> weights);

    int size() const { return int(left_.size()); }
    int firstColumn() const { return firstColumn_; }
    // The last column sampled, and how far past it the pass may read.
    int lastColumn() const { return lastColumn_; }
    static constexpr int readAhead = 8;

    // Writes size() pixels sampled from `row`. Returns whether all are opaque.
    bool sample(const std::uint32_t* row, std::uint32_t* out) const;

private:
    // Eight neighbouring pixels: the columns they read, relative to the
    // first of the eight and to the first of their four, and their weights in
    // the order the vector pass blends them.
    struct alignas(32) Group {
        std::int32_t offset[8];
        std::int32_t halfOffset[8];
        std::uint16_t keepLow[16];  // 256 - w for pixels 0 1 | 4 5, once per channel
        std::uint16_t takeLow[16];  // w
        std::uint16_t keepHigh[16]; // pixels 2 3 | 6 7
        std::uint16_t takeHigh[16];
    };
    std::vector<std::int32_t> left_;
    std::vector<std::uint32_t> pairs_; // (256 - w) | w << 16 per pixel, four times
    std::vector<Group> groups_;
    // How the pass takes a row: groups of eight reading within eight columns
    // (enlarged rows), within eight columns per four (rows shrunk to no less
    // than half), or two pixels at a time, anywhere.
    enum class Kernel { oneWindow, twoWindows, pairs };
    Kernel kernel_ = Kernel::pairs;
    int firstColumn_ = 0;
    int lastColumn_ = 0;
};

} // namespace gfx::stretch
