#include "sound/WaveChunks.h"

#include <algorithm>
#include <array>

namespace {

using Tag = std::array<std::uint8_t, 4>;

constexpr Tag riffTag{'R', 'I', 'F', 'F'};
constexpr Tag waveTag{'W', 'A', 'V', 'E'};
constexpr Tag formatTag{'f', 'm', 't', ' '};
constexpr Tag dataTag{'d', 'a', 't', 'a'};

// Byte offsets of the RIFF header, and the header that opens every chunk.
constexpr std::size_t riffSizeOffset = 4;
constexpr std::size_t waveTagOffset = 8;
constexpr std::size_t firstChunkOffset = 12;
constexpr std::size_t chunkHeaderSize = 8;
// Shortest wave format header: tag, channels, rate, bytes per second, block alignment.
constexpr std::size_t minFormatSize = 14;

bool hasTag(std::span<const std::uint8_t> bytes, std::size_t offset, const Tag& tag) {
    return std::equal(tag.begin(), tag.end(), bytes.begin() + std::ptrdiff_t(offset));
}

std::uint32_t readLe32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
           std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
}

} // namespace

std::optional<WaveChunks> findWaveChunks(std::span<const std::uint8_t> image) {
    if (image.size() < firstChunkOffset || !hasTag(image, 0, riffTag) ||
        !hasTag(image, waveTagOffset, waveTag))
        return std::nullopt;

    // The RIFF size counts the bytes after itself; a body claiming more than
    // the image holds is a damaged file, not one to walk as far as it goes.
    const std::uint64_t riffEnd = std::uint64_t(waveTagOffset) + readLe32(image, riffSizeOffset);
    if (riffEnd > image.size())
        return std::nullopt;
    const auto body = image.first(std::size_t(riffEnd));

    std::optional<std::span<const std::uint8_t>> format;
    std::optional<std::span<const std::uint8_t>> data;
    std::size_t chunk = firstChunkOffset;
    while (chunk < body.size()) {
        if (body.size() - chunk < chunkHeaderSize)
            return std::nullopt;
        const std::size_t start = chunk + chunkHeaderSize;
        const std::uint32_t size = readLe32(body, chunk + 4);
        if (size > body.size() - start)
            return std::nullopt;
        const auto chunkBody = body.subspan(start, size);

        if (!format && hasTag(body, chunk, formatTag)) {
            if (size < minFormatSize)
                return std::nullopt;
            format = chunkBody;
        } else if (!data && hasTag(body, chunk, dataTag)) {
            data = chunkBody;
        }
        if (format && data)
            return WaveChunks{*format, *data};

        // Bodies are padded to an even length; the sum stays within the body
        // (at most one past it), so it cannot overflow.
        chunk = start + size + (size & 1u);
    }
    return std::nullopt;
}
