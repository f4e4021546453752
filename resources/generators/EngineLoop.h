#pragma once

#include <cstdint>
#include <vector>

namespace zentor::art {

// The engine sound loop's format: 16-bit stereo at 22050 Hz, 119556 frames
// (about 5.4 s).
inline constexpr int loopSampleRate = 22050;
inline constexpr int loopChannels = 2;
inline constexpr int loopFrames = 119556;

// 67 four-stroke cycles of a six-cylinder engine fill the loop exactly:
// 134 revolutions, 402 firings, about 1483 rev/min at the loop's own rate.
inline constexpr int loopEngineCycles = 67;

// The synthesised engine: firing pulses with exhaust rasp, propeller beat,
// low rumble. Interleaved left/right samples; every component repeats exactly
// over the loop, so the loop joins without a click.
std::vector<std::int16_t> synthesiseEngineLoop();

} // namespace zentor::art
