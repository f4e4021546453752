#include "sound/EngineSound.h"

#include "engine/Engine.h"
#include "sound/AudioLayer.h"
#include "sound/OpenAlAudio.h"
#include "sound/PlaybackFrequency.h"
#include "sound/SoundBufferLoading.h"

SoundBuffer* soundBuffer = nullptr;
std::uint32_t soundBaseFrequency = 0;

namespace {

// Below this the engine is taken as stopped and the loop falls silent, rev/min.
constexpr float silentRpm = 10.0f;

AudioDevice* currentDevice = nullptr;
// Set once the device is open; from then on it is never opened again.
bool soundDeviceReady = false;

bool initSoundDevice() {
    if (!soundDeviceReady)
        soundDeviceReady = audioDevice().open();
    return soundDeviceReady;
}

} // namespace

AudioDevice& audioDevice() {
    return currentDevice ? *currentDevice : openAlAudioDevice();
}

void setAudioDevice(AudioDevice* device) {
    currentDevice = device;
    soundDeviceReady = false;
}

SoundBuffer* loadEngineSound(int resourceId) {
    releaseEngineSound();
    if (!initSoundDevice() || resourceId == 0)
        return nullptr;
    soundBuffer = createSoundBufferFromResource(audioDevice(), resourceId);
    if (soundBuffer)
        soundBaseFrequency = soundBuffer->frequency();
    return soundBuffer;
}

void updateEngineSound() {
    if (!soundBuffer)
        return;
    const bool playing = soundBuffer->isPlaying();
    if (!engineState.demoMode && !engineState.muted && !engineState.lacks(Quantity::rpm) &&
        engineState.rpm > silentRpm) {
        // The pitch is set before a start so that the first samples heard
        // already follow the engine.
        soundBuffer->setFrequency(engineSoundFrequency(engineState.rpm, soundBaseFrequency));
        if (!playing)
            soundBuffer->play();
    } else if (playing) {
        soundBuffer->stop();
    }
}

void releaseEngineSound() {
    if (!soundBuffer)
        return;
    soundBuffer->stop();
    soundBuffer->release();
    soundBuffer = nullptr;
}
