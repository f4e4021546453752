#pragma once

#include <cstdint>

// Playback frequencies the audio layer accepts, in Hz. The engine loop's own
// sample rate and every pitch it is played at stay within them.
inline constexpr std::uint32_t minPlaybackFrequency = 100;
inline constexpr std::uint32_t maxPlaybackFrequency = 200000;

// Engine sound pitch: 8.6667 Hz per rev/min about the loop's own rate, so the
// 22050 Hz recording plays at 17050 Hz at idle (900) and 30050 Hz at 2400.
inline constexpr double pitchHzPerRpm = 8.6667;
inline constexpr double pitchOffsetHz = -12800.0;

// The playback frequency for `rpm`, truncated toward zero to whole Hz and held
// within the accepted range (an infinite or NaN rpm lands on a bound).
constexpr std::uint32_t engineSoundFrequency(float rpm, std::uint32_t baseFrequency) {
    const double f = double(rpm) * pitchHzPerRpm + pitchOffsetHz + double(baseFrequency);
    if (!(f >= double(minPlaybackFrequency)))
        return minPlaybackFrequency;
    if (f >= double(maxPlaybackFrequency))
        return maxPlaybackFrequency;
    return static_cast<std::uint32_t>(f);
}
