#include "CapturedAudio.h"

#include "sound/WaveChunks.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

MonoSound monoFromPcm16(std::span<const std::uint8_t> data, int channels, double sampleRate) {
    MonoSound mono{{}, sampleRate};
    const std::size_t frames = data.size() / (2 * std::size_t(channels));
    mono.samples.resize(frames);
    for (std::size_t f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += qFromLittleEndian<qint16>(data.data() + 2 * (f * std::size_t(channels) + c));
        mono.samples[f] = float(sum / channels / 32768.0);
    }
    return mono;
}

std::optional<MonoSound> monoFromFloatWave(const QByteArray& file) {
    const auto chunks = findWaveChunks(
        {reinterpret_cast<const std::uint8_t*>(file.constData()), std::size_t(file.size())});
    if (!chunks || chunks->format.size() < 16)
        return std::nullopt;
    const auto* format = chunks->format.data();
    const int channels = qFromLittleEndian<quint16>(format + 2);
    const double rate = qFromLittleEndian<quint32>(format + 4);
    if (qFromLittleEndian<quint16>(format + 14) != 32 || channels < 1)
        return std::nullopt;
    MonoSound mono{{}, rate};
    const std::size_t frames = chunks->data.size() / (4 * std::size_t(channels));
    mono.samples.resize(frames);
    for (std::size_t f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) {
            float sample = 0;
            std::memcpy(&sample, chunks->data.data() + 4 * (f * std::size_t(channels) + c), 4);
            sum += sample;
        }
        mono.samples[f] = float(sum / channels);
    }
    return mono;
}

std::vector<Run> soundingRuns(const std::vector<float>& sound, float quiet, std::size_t gap) {
    std::vector<Run> runs;
    for (std::size_t i = 0; i < sound.size(); ++i) {
        if (std::fabs(sound[i]) < quiet)
            continue;
        if (runs.empty() || i - runs.back().end >= gap)
            runs.push_back({i, i + 1});
        runs.back().end = i + 1;
    }
    return runs;
}

namespace {

// The loop at a fractional frame, linearly interpolated, wrapping round.
double loopAt(const std::vector<float>& loop, double position) {
    const double size = double(loop.size());
    position = std::fmod(position, size);
    if (position < 0)
        position += size;
    const auto index = std::size_t(position);
    const double fraction = position - double(index);
    return loop[index] * (1 - fraction) + loop[(index + 1) % loop.size()] * fraction;
}

double score(const MonoSound& capture, std::size_t start, std::size_t length, const MonoSound& loop,
             double position, double step) {
    double cross = 0, captured = 0, played = 0;
    for (std::size_t n = 0; n < length; ++n) {
        const double x = capture.samples[start + n];
        const double y = loopAt(loop.samples, position + double(n) * step);
        cross += x * y;
        captured += x * x;
        played += y * y;
    }
    return captured > 0 && played > 0 ? cross / std::sqrt(captured * played) : 0;
}

// One pass of a grid search: positions in `positionStep`s across the window,
// steps in relative increments of `stepRatio`.
PlaybackFit searchGrid(const MonoSound& capture, std::size_t start, std::size_t length,
                       const MonoSound& loop, double position, double window, double positionStep,
                       double minStep, double maxStep, double stepRatio) {
    PlaybackFit best;
    for (double step = minStep; step <= maxStep; step *= stepRatio)
        for (double p = position - window; p <= position + window; p += positionStep) {
            const double s = score(capture, start, length, loop, p, step);
            if (s > best.score)
                best = {p, step, s};
        }
    return best;
}

} // namespace

PlaybackFit fitPlayback(const MonoSound& capture, std::size_t start, std::size_t length,
                        const MonoSound& loop, double position, double window, double minStep,
                        double maxStep) {
    // Coarse over a short stretch, where a slightly wrong step still matches,
    // then fine over the whole stretch around the best coarse answer.
    const PlaybackFit coarse = searchGrid(capture, start, std::min<std::size_t>(length, 2048), loop,
                                          position, window, 1.0, minStep, maxStep, 1.005);
    return searchGrid(capture, start, length, loop, coarse.position, 2.0, 0.25, coarse.step / 1.006,
                      coarse.step * 1.006, 1.0002);
}

QByteArray sizedWave(QByteArray stream) {
    const qsizetype data = stream.indexOf("data");
    if (stream.size() < 12 || data < 0)
        return {};
    qToLittleEndian<quint32>(quint32(stream.size() - 8), stream.data() + 4);
    qToLittleEndian<quint32>(quint32(stream.size() - data - 8), stream.data() + data + 4);
    return stream;
}
