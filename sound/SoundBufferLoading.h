#pragma once

#include "sound/AudioLayer.h"
#include "sound/WaveChunks.h"

#include <cstdint>
#include <optional>
#include <span>

// The chunks of embedded WAVE resource `resourceId`, or nothing when it is
// missing or its chunks cannot be found.
std::optional<WaveChunks> loadWaveResource(int resourceId);

// A buffer on `device` holding the recording of WAVE resource `resourceId`,
// or null when the resource, its format or the device lets us down.
SoundBuffer* createSoundBufferFromResource(AudioDevice& device, int resourceId);

// The same from a RIFF/WAVE image: the whole frames of its samples, in its format.
SoundBuffer* createSoundBufferFromWave(AudioDevice& device, std::span<const std::uint8_t> image);

// Copies `data` into the whole of `buffer` through one lock/unlock pair.
bool fillSoundBuffer(SoundBuffer* buffer, std::span<const std::uint8_t> data);
