#pragma once

#include <QByteArray>

#include <cstdint>
#include <span>

namespace zentor::art {

struct InfoText {
    const char* id; // four letters, e.g. "INAM"
    const char* text;
};

// A RIFF/WAVE file of 16-bit PCM: "fmt " (16 bytes), "data", then a
// LIST/INFO chunk with the given texts, the last one padded with zero bytes
// so that the RIFF size field reads exactly `riffSize`. Empty when the texts
// do not fit.
QByteArray encodeWave(std::span<const std::int16_t> samples, int channels, int sampleRate,
                      std::uint32_t riffSize, std::span<const InfoText> info);

} // namespace zentor::art
