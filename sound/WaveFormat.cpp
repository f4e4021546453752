#include "sound/WaveFormat.h"

#include "sound/PlaybackFrequency.h"

namespace {

// Offsets in the wave format header; the PCM form adds the sample width.
constexpr std::size_t formatTagOffset = 0;
constexpr std::size_t channelsOffset = 2;
constexpr std::size_t sampleRateOffset = 4;
constexpr std::size_t blockAlignOffset = 12;
constexpr std::size_t bitsPerSampleOffset = 14;
constexpr std::size_t pcmFormatSize = 16;
constexpr std::uint16_t pcmFormatTag = 1;

std::uint16_t readLe16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return std::uint16_t(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t readLe32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return std::uint32_t(readLe16(bytes, offset)) | std::uint32_t(readLe16(bytes, offset + 2))
                                                        << 16;
}

} // namespace

std::optional<PcmFormat> readPcmFormat(std::span<const std::uint8_t> formatBody) {
    if (formatBody.size() < pcmFormatSize || readLe16(formatBody, formatTagOffset) != pcmFormatTag)
        return std::nullopt;
    const PcmFormat format{
        readLe16(formatBody, channelsOffset), readLe32(formatBody, sampleRateOffset),
        readLe16(formatBody, bitsPerSampleOffset), readLe16(formatBody, blockAlignOffset)};
    const bool channelsOk = format.channels == 1 || format.channels == 2;
    const bool bitsOk = format.bitsPerSample == 8 || format.bitsPerSample == 16;
    const bool rateOk =
        format.sampleRate >= minPlaybackFrequency && format.sampleRate <= maxPlaybackFrequency;
    if (!channelsOk || !bitsOk || !rateOk ||
        format.blockAlign != format.channels * format.bitsPerSample / 8)
        return std::nullopt;
    return format;
}

std::span<const std::uint8_t> wholeFrames(std::span<const std::uint8_t> data,
                                          const PcmFormat& format) {
    if (format.blockAlign == 0)
        return {};
    return data.first(data.size() - data.size() % format.blockAlign);
}
