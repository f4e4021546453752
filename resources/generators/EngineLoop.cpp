#include "resources/generators/EngineLoop.h"

#include "resources/generators/CyclicFilter.h"
#include "resources/generators/Rng.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace zentor::art {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;
constexpr int firingsPerLoop = 6 * loopEngineCycles;     // three firings a revolution
constexpr int bladePassesPerLoop = 4 * loopEngineCycles; // two blades, two revolutions a cycle
constexpr double firingPeriod = double(loopFrames) / firingsPerLoop; // about 297.4 samples
static_assert(firingsPerLoop == 402 && bladePassesPerLoop == 268);

struct CylinderVoice {
    double gain;     // strength of its firing pulse
    double lateness; // of its firing, in firing periods
    double pitch;    // of its exhaust ring, relative
    double pan;      // -1 left .. 1 right: left bank odd, right bank even
};

// Cylinders in firing order 1-6-3-2-5-4; no two fire quite alike.
constexpr int cylinderCount = 6;
constexpr auto firingOrder = std::to_array<CylinderVoice>({
    {.gain = 1.00, .lateness = 0.000, .pitch = 1.00, .pan = -0.35},
    {.gain = 0.93, .lateness = 0.014, .pitch = 1.04, .pan = 0.35},
    {.gain = 1.06, .lateness = -0.009, .pitch = 0.97, .pan = -0.35},
    {.gain = 0.96, .lateness = 0.006, .pitch = 1.02, .pan = 0.35},
    {.gain = 1.04, .lateness = -0.012, .pitch = 0.96, .pan = -0.35},
    {.gain = 0.91, .lateness = 0.010, .pitch = 1.03, .pan = 0.35},
});
static_assert(firingOrder.size() == cylinderCount);

// One firing pulse: a low thump and the ring of the exhaust stack, with a
// burst of noise for the rasp. Times in seconds, frequencies in Hz.
constexpr double pulseLength = 0.045;
constexpr double attackTime = 0.0005;
constexpr double thumpFrequency = 86.0, thumpDecay = 0.0068;
constexpr double ringFrequency = 215.0, ringDecay = 0.0034, ringLevel = 0.5;
constexpr double raspDecay = 0.0030, raspLevel = 0.9;
constexpr double raspCentre = 1100.0, raspQ = 0.6;

// Propeller: a tone at the blade-passing rate and a whoosh that swells as
// each blade passes.
constexpr double propToneLevel = 0.10, propOvertoneLevel = 0.05;
constexpr double whooshLevel = 0.55, whooshCentre = 420.0, whooshQ = 0.7;
constexpr double whooshDepth = 0.7;
constexpr double rightBeatLag = 0.35; // radians: the beat reaches the ears apart

// Rumble: slow airframe shake well under the firing rate.
constexpr double rumbleLevel = 1.6, rumbleCutoff = 38.0;

// Master: no subsonic drift, soft top end, peak 1.5 dB under full scale.
constexpr double highPassCutoff = 22.0, lowPassCutoff = 5200.0;
constexpr double peakLevel = 0.8414; // -1.5 dBFS

constexpr std::uint64_t noiseSeed = 0x5A454E544F52ull;

using Signal = std::vector<double>;

struct Stereo {
    Signal left = Signal(loopFrames, 0.0);
    Signal right = Signal(loopFrames, 0.0);
};

double panLeft(double pan) {
    return 1.0 - 0.5 * pan;
}
double panRight(double pan) {
    return 1.0 + 0.5 * pan;
}

// Lays every firing of the loop down, wrapping the tail of the last pulses
// round to the start so the loop repeats seamlessly.
void addFirings(Stereo& out, Rng& rng) {
    Stereo rasp;
    const int length = int(pulseLength * loopSampleRate);
    for (int k = 0; k < firingsPerLoop; ++k) {
        const CylinderVoice& voice = firingOrder[std::size_t(k % cylinderCount)];
        const double start = (k + voice.lateness) * firingPeriod;
        const int first = int(std::ceil(start));
        for (int n = first; n < first + length; ++n) {
            const double t = (n - start) / loopSampleRate;
            const double attack = 1.0 - std::exp(-t / attackTime);
            const double thump =
                std::sin(twoPi * thumpFrequency * voice.pitch * t) * std::exp(-t / thumpDecay);
            const double ring = ringLevel *
                                std::sin(twoPi * ringFrequency * voice.pitch * t + 0.6) *
                                std::exp(-t / ringDecay);
            const double noise = raspLevel * rng.symmetric() * std::exp(-t / raspDecay);
            const double body = voice.gain * attack * (thump + ring);
            const std::size_t i = std::size_t(n % loopFrames);
            out.left[i] += body * panLeft(voice.pan);
            out.right[i] += body * panRight(voice.pan);
            rasp.left[i] += voice.gain * attack * noise * panLeft(voice.pan);
            rasp.right[i] += voice.gain * attack * noise * panRight(voice.pan);
        }
    }
    const Biquad raspBand = Biquad::bandPass(raspCentre, raspQ, loopSampleRate);
    filterCyclic(rasp.left, raspBand);
    filterCyclic(rasp.right, raspBand);
    for (std::size_t i = 0; i < out.left.size(); ++i) {
        out.left[i] += rasp.left[i];
        out.right[i] += rasp.right[i];
    }
}

Signal noise(Rng& rng) {
    Signal signal(loopFrames);
    for (double& s : signal)
        s = rng.symmetric();
    return signal;
}

void addPropeller(Stereo& out, Rng& rng) {
    const Biquad band = Biquad::bandPass(whooshCentre, whooshQ, loopSampleRate);
    Signal shared = noise(rng), own = noise(rng);
    filterCyclic(shared, band);
    filterCyclic(own, band);
    for (int n = 0; n < loopFrames; ++n) {
        const double phase = twoPi * bladePassesPerLoop * n / loopFrames;
        const auto tone = [&](double lag) {
            return propToneLevel * std::sin(phase - lag) +
                   propOvertoneLevel * std::sin(2 * (phase - lag) + 1.1);
        };
        const auto swell = [&](double lag) {
            const double s = 0.5 + 0.5 * std::cos(phase - lag);
            return whooshLevel * (1.0 - whooshDepth + whooshDepth * s * s);
        };
        const std::size_t i = std::size_t(n);
        out.left[i] += tone(0.0) + swell(0.0) * (0.85 * shared[i] + 0.15 * own[i]);
        out.right[i] +=
            tone(rightBeatLag) + swell(rightBeatLag) * (0.85 * shared[i] - 0.15 * own[i]);
    }
}

void addRumble(Stereo& out, Rng& rng) {
    Signal rumble = noise(rng);
    const Biquad lowPass = Biquad::lowPass(rumbleCutoff, 0.7, loopSampleRate);
    filterCyclic(rumble, lowPass);
    filterCyclic(rumble, lowPass);
    for (std::size_t i = 0; i < rumble.size(); ++i) {
        out.left[i] += rumbleLevel * rumble[i];
        out.right[i] += rumbleLevel * rumble[i];
    }
}

void master(Stereo& out) {
    for (Signal* channel : {&out.left, &out.right}) {
        filterCyclic(*channel, Biquad::highPass(highPassCutoff, 0.7, loopSampleRate));
        filterCyclic(*channel, Biquad::lowPass(lowPassCutoff, 0.7, loopSampleRate));
    }
}

std::vector<std::int16_t> quantise(const Stereo& sound) {
    double peak = 0;
    for (std::size_t i = 0; i < sound.left.size(); ++i)
        peak = std::max({peak, std::abs(sound.left[i]), std::abs(sound.right[i])});
    const double scale = peakLevel * 32767.0 / peak;
    std::vector<std::int16_t> samples;
    samples.reserve(2 * sound.left.size());
    for (std::size_t i = 0; i < sound.left.size(); ++i) {
        samples.push_back(std::int16_t(std::lround(sound.left[i] * scale)));
        samples.push_back(std::int16_t(std::lround(sound.right[i] * scale)));
    }
    return samples;
}

} // namespace

std::vector<std::int16_t> synthesiseEngineLoop() {
    Rng rng(noiseSeed);
    Stereo sound;
    addFirings(sound, rng);
    addPropeller(sound, rng);
    addRumble(sound, rng);
    master(sound);
    return quantise(sound);
}

} // namespace zentor::art
