#pragma once

#include <cstdint>
#include <optional>
#include <span>

// A PCM recording the audio layer can play as it stands.
struct PcmFormat {
    std::uint16_t channels = 0;      // 1 mono, 2 stereo
    std::uint32_t sampleRate = 0;    // frames per second, Hz
    std::uint16_t bitsPerSample = 0; // 8 (unsigned) or 16 (signed)
    std::uint16_t blockAlign = 0;    // bytes per frame: channels x bits / 8
};

// Reads the body of a "fmt " chunk. Only integer PCM with 1 or 2 channels of 8
// or 16 bits, a consistent block alignment and a rate within the playback
// range is accepted; anything else leaves the instrument silent.
std::optional<PcmFormat> readPcmFormat(std::span<const std::uint8_t> formatBody);

// The samples cut down to whole frames: the audio layer takes no partial frame.
std::span<const std::uint8_t> wholeFrames(std::span<const std::uint8_t> data,
                                          const PcmFormat& format);
