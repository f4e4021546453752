#pragma once

#include <cstdint>
#include <optional>
#include <span>

// The two chunks of a RIFF/WAVE recording that the engine sound needs, as
// views into the image they were found in.
struct WaveChunks {
    std::span<const std::uint8_t> format; // body of "fmt ", at least 14 bytes
    std::span<const std::uint8_t> data;   // body of "data": the samples
};

// Walks the chunks of `image` (a whole RIFF/WAVE file) up to the first "fmt "
// and the first "data", in either order. Fails when the image is not
// RIFF/WAVE, a chunk header or body would run past the RIFF body or the image,
// the "fmt " body is shorter than 14 bytes, or either chunk is missing.
// Never reads a byte outside `image`.
std::optional<WaveChunks> findWaveChunks(std::span<const std::uint8_t> image);
