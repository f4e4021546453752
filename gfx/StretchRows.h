#pragma once

// The two passes of a smooth stretch over 32-bit pixels, each channel on its
// own in 8-bit steps, as the raster painter blends them: first between two
// source rows, then along the blended row.

#include <cstdint>

namespace gfx::stretch {

// Whether this processor runs the passes below (x86-64 with AVX2); elsewhere
// the painter's own stretch draws.
bool rowPassesAvailable();

// `count` pixels, each channel (top * (256 - weight) + bottom * weight) >> 8,
// weight 0..256.
void blendRows(const std::uint32_t* top, const std::uint32_t* bottom, int weight,
               std::uint32_t* out, int count);

// The weight pair of a sample between two columns, w of 0..256 toward the
// right-hand one: (256 - w) in the low half, w in the high half.
constexpr std::uint32_t weightPair(int w) {
    return std::uint32_t(256 - w) | std::uint32_t(w) << 16;
}

// `count` pixels, pixel i each channel (l * (256 - w) + r * w) >> 8 with
// l = row[left[i]], r = row[left[i] + 1] and w from pairs[4 * i], where each
// pixel's weight pair stands four times, once per channel. Reads the 16 bytes
// from row[left[i]], whatever the weight. Returns whether every pixel written
// is opaque.
bool sampleRow(const std::uint32_t* row, const std::int32_t* left, const std::uint32_t* pairs,
               std::uint32_t* out, int count);

} // namespace gfx::stretch
