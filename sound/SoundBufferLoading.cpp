#include "sound/SoundBufferLoading.h"

#include "resources/Resources.h"
#include "sound/WaveFormat.h"

#include <algorithm>

std::optional<WaveChunks> loadWaveResource(int resourceId) {
    const auto image = zentor::findResource(resourceId, "WAVE");
    if (image.empty())
        return std::nullopt;
    return findWaveChunks(image);
}

namespace {

SoundBuffer* createSoundBuffer(AudioDevice& device, const std::optional<WaveChunks>& chunks) {
    if (!chunks)
        return nullptr;
    const auto format = readPcmFormat(chunks->format);
    if (!format)
        return nullptr;
    const auto samples = wholeFrames(chunks->data, *format);
    if (samples.empty())
        return nullptr;
    SoundBuffer* buffer = device.createBuffer(*format, samples.size());
    if (!buffer)
        return nullptr;
    if (!fillSoundBuffer(buffer, samples)) {
        buffer->release();
        return nullptr;
    }
    return buffer;
}

} // namespace

SoundBuffer* createSoundBufferFromResource(AudioDevice& device, int resourceId) {
    return createSoundBuffer(device, loadWaveResource(resourceId));
}

SoundBuffer* createSoundBufferFromWave(AudioDevice& device, std::span<const std::uint8_t> image) {
    return createSoundBuffer(device, findWaveChunks(image));
}

bool fillSoundBuffer(SoundBuffer* buffer, std::span<const std::uint8_t> data) {
    if (!buffer || data.empty())
        return false;
    const auto region = buffer->lock();
    if (region.size() != data.size())
        return false;
    std::copy(data.begin(), data.end(), region.begin());
    return buffer->unlock();
}
