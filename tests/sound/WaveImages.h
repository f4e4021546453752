#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>

// Hand-built RIFF/WAVE images for the chunk walk, each with what the walk and
// the format check must make of it. The fuzzer's seed corpus is written from
// the same list.
struct WaveCase {
    const char* name;
    QByteArray image;
    bool found = false;    // the walk finds both chunks
    QByteArray format;     // the "fmt " body it hands out
    QByteArray data;       // the "data" body it hands out
    bool playable = false; // the format is one the audio layer plays
    int sampleBytes = 0;   // the whole frames of the data
};

QList<WaveCase> waveCases();

// Builders, exposed for tests that need one more variation.
QByteArray le16(std::uint16_t value);
QByteArray le32(std::uint32_t value);
QByteArray pcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits);
QByteArray formatBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                      std::uint16_t blockAlign, std::uint16_t bits);
QByteArray chunk(const char* id, const QByteArray& body);
QByteArray riff(const QByteArray& chunks);
QByteArray riffWithSize(std::uint32_t riffSize, const QByteArray& chunks);
QByteArray samples(int count, char first);
