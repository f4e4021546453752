#include "resources/generators/WaveFile.h"
#include "LittleEndian.h"

#include <QtEndian>

#include <cstring>

namespace zentor::art {

namespace {

void putChunkHeader(QByteArray& out, const char* id, std::uint32_t size) {
    out.append(id, 4);
    put32(out, size);
}

// A text with its terminating zero, padded to an even length.
std::uint32_t textSize(const char* text) {
    const std::uint32_t size = std::uint32_t(std::strlen(text)) + 1;
    return size + size % 2;
}

} // namespace

QByteArray encodeWave(std::span<const std::int16_t> samples, int channels, int sampleRate,
                      std::uint32_t riffSize, std::span<const InfoText> info) {
    constexpr std::uint32_t bytesPerSample = 2;
    const std::uint32_t dataSize = std::uint32_t(samples.size()) * bytesPerSample;
    const std::uint32_t fixed = 4 + (8 + 16) + (8 + dataSize) + 8 + 4; // up to "INFO"
    std::uint32_t texts = 0;
    for (const InfoText& entry : info)
        texts += 8 + textSize(entry.text);
    if (info.empty() || fixed + texts > riffSize || (riffSize - fixed - texts) % 2)
        return {};
    const std::uint32_t padding = riffSize - fixed - texts;

    QByteArray out;
    out.append("RIFF", 4);
    put32(out, riffSize);
    out.append("WAVE", 4);
    putChunkHeader(out, "fmt ", 16);
    put16(out, 1); // PCM
    put16(out, std::uint16_t(channels));
    put32(out, std::uint32_t(sampleRate));
    put32(out, std::uint32_t(sampleRate * channels) * bytesPerSample);
    put16(out, std::uint16_t(channels * bytesPerSample));
    put16(out, 8 * bytesPerSample);
    putChunkHeader(out, "data", dataSize);
    for (std::int16_t sample : samples)
        put16(out, std::uint16_t(sample));
    putChunkHeader(out, "LIST", riffSize - (fixed - 4));
    out.append("INFO", 4);
    for (std::size_t i = 0; i < info.size(); ++i) {
        const bool last = i + 1 == info.size();
        const std::uint32_t size = textSize(info[i].text) + (last ? padding : 0);
        putChunkHeader(out, info[i].id, size);
        const QByteArray text(info[i].text);
        out.append(text);
        out.append(QByteArray(qsizetype(size) - text.size(), '\0'));
    }
    return out;
}

} // namespace zentor::art
