#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A mono view of recorded or captured sound: the mean of its channels.
struct MonoSound {
    std::vector<float> samples;
    double sampleRate = 0;
};

// The engine loop's 16-bit PCM samples, channels averaged.
MonoSound monoFromPcm16(std::span<const std::uint8_t> data, int channels, double sampleRate);

// A float32 RIFF/WAVE file as the wave-file writer leaves it, channels averaged.
std::optional<MonoSound> monoFromFloatWave(const QByteArray& file);

// The wave-file writer seeks back to its header whenever the device pauses
// and would write on over it; into a pipe its seeks fail, and the pipe gets
// one unbroken stream, whose chunk sizes are put in here. Empty: no wave.
QByteArray sizedWave(QByteArray stream);

// A stretch of sound between silences, in frames [begin, end).
struct Run {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The sounding stretches, split wherever at least `gap` frames lie below `quiet`.
std::vector<Run> soundingRuns(const std::vector<float>& sound, float quiet, std::size_t gap);

// How the loop was played over a stretch of the capture: from loop frame
// `position`, `step` loop frames per captured frame, matching with `score`
// (normalised correlation, 1 for a perfect match).
struct PlaybackFit {
    double position = 0;
    double step = 0;
    double score = -1;
};

// Finds the playback that best explains `length` captured frames from `start`
// as the looping recording, for steps between `minStep` and `maxStep` and
// positions within `window` loop frames of `position`.
PlaybackFit fitPlayback(const MonoSound& capture, std::size_t start, std::size_t length,
                        const MonoSound& loop, double position, double window, double minStep,
                        double maxStep);
