#include "sound/AlarmChime.h"

#include "sound/AudioLayer.h"
#include "sound/EngineSound.h"
#include "sound/SoundBufferLoading.h"
#include "sound/WaveFormat.h"

#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

struct ChimeNote {
    double start;     // seconds into the period
    double length;    // seconds
    double frequency; // Hz
};

// A falling pair, clear of the engine's drone (its loop is mostly below 1 kHz).
constexpr auto chimeNotes = std::to_array<ChimeNote>({
    {.start = 0.0, .length = 0.16, .frequency = 1318.5},
    {.start = 0.2, .length = 0.28, .frequency = 987.8},
});
static_assert(chimeNotes.size() == 2);

constexpr double attackSeconds = 0.008; // no click at the note's start
constexpr double releaseSeconds = 0.06; // nor at its end
constexpr double peak = 0.45 * 32767.0; // under the engine loop's loudness

// The note's envelope at `t` seconds into it: a raised-cosine rise, a gentle
// decay, a raised-cosine fall to zero at its end.
double envelope(double t, double length) {
    const double rise =
        t < attackSeconds ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / attackSeconds) : 1;
    const double left = length - t;
    const double fall =
        left < releaseSeconds ? 0.5 - 0.5 * std::cos(std::numbers::pi * left / releaseSeconds) : 1;
    return rise * fall * std::exp(-3.0 * t);
}

SoundBuffer* makeChimeBuffer() {
    if (!wakeSoundOutput())
        return nullptr;
    const std::vector<std::int16_t> samples = chimeLoop();
    const PcmFormat format{
        .channels = 1, .sampleRate = chimeSampleRate, .bitsPerSample = 16, .blockAlign = 2};
    SoundBuffer* buffer = audioDevice().createBuffer(format, samples.size() * 2);
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    if (buffer && !fillSoundBuffer(buffer, bytes)) {
        buffer->release();
        return nullptr;
    }
    return buffer;
}

} // namespace

std::vector<std::int16_t> chimeLoop() {
    std::vector<std::int16_t> samples(std::size_t(chimePeriodSeconds * chimeSampleRate), 0);
    for (const ChimeNote& note : chimeNotes) {
        const auto first = std::size_t(note.start * chimeSampleRate);
        const auto count = std::size_t(note.length * chimeSampleRate);
        for (std::size_t i = 0; i < count && first + i < samples.size(); ++i) {
            const double t = double(i) / chimeSampleRate;
            const double tone = std::sin(2 * std::numbers::pi * note.frequency * t) +
                                0.25 * std::sin(4 * std::numbers::pi * note.frequency * t);
            samples[first + i] =
                std::int16_t(std::lround(peak * 0.8 * tone * envelope(t, note.length)));
        }
    }
    return samples;
}

void updateAlarmChime(AlarmChime& chime, bool due) {
    if (!due) {
        releaseAlarmChime(chime);
        return;
    }
    // The device mixes as long as the chime sounds, engine loop or none.
    if (!chime.buffer) {
        chime.buffer = makeChimeBuffer();
        if (chime.buffer)
            chime.buffer->play();
    } else {
        wakeSoundOutput();
    }
}

void releaseAlarmChime(AlarmChime& chime) {
    if (!chime.buffer)
        return;
    chime.buffer->stop();
    chime.buffer->release();
    chime.buffer = nullptr;
}
