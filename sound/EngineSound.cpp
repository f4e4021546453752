#include "sound/EngineSound.h"

#include "engine/Engine.h"
#include "sound/AudioLayer.h"
#include "sound/OpenAlAudio.h"
#include "sound/PlaybackFrequency.h"
#include "sound/SoundBufferLoading.h"

namespace {

// Below this the engine is taken as stopped and the loop falls silent, rev/min.
constexpr float silentRpm = 10.0f;

// Ticks the device goes on mixing after the loop last sounded before it is
// paused: about a second, longer than any output buffer holds, so that the
// sound mixed before the halt is heard out to its end as it always was and
// the device stops on silence.
constexpr int drainTicks = 16;

AudioDevice* currentDevice = nullptr;

struct SoundDevice {
    bool ready = false;  // open; from then on it is never opened again
    bool paused = false; // its mixing stopped while the loop is silent
    int silentTicks = 0; // ticks since the loop last sounded, up to drainTicks
};
SoundDevice soundDevice;

bool initSoundDevice() {
    if (!soundDevice.ready)
        soundDevice.ready = audioDevice().open();
    return soundDevice.ready;
}

// A silent tick: once the mixed sound has played out, the device rests.
void restSoundDevice() {
    if (soundDevice.paused || ++soundDevice.silentTicks < drainTicks)
        return;
    audioDevice().pause();
    soundDevice.paused = true;
}

// A sounding tick: the device mixes again before the loop plays. True when
// it had been paused.
bool wakeSoundDevice() {
    soundDevice.silentTicks = 0;
    if (!soundDevice.paused)
        return false;
    audioDevice().resume();
    soundDevice.paused = false;
    return true;
}

} // namespace

AudioDevice& audioDevice() {
    return currentDevice ? *currentDevice : openAlAudioDevice();
}

void setAudioDevice(AudioDevice* device) {
    // The device left behind is left mixing, as it was found.
    if (soundDevice.paused)
        audioDevice().resume();
    currentDevice = device;
    soundDevice = {};
}

SoundBuffer* loadEngineSound(SoundOutput& sound, int resourceId) {
    releaseEngineSound(sound);
    if (!initSoundDevice() || resourceId == 0)
        return nullptr;
    sound.buffer = createSoundBufferFromResource(audioDevice(), resourceId);
    if (sound.buffer)
        sound.baseFrequency = sound.buffer->frequency();
    return sound.buffer;
}

void updateEngineSound(SoundOutput& sound, const EngineState& engine, bool heard) {
    if (!sound.buffer) {
        // An open device with no loop to play (no usable recording) rests too.
        if (soundDevice.ready)
            restSoundDevice();
        return;
    }
    const bool playing = sound.buffer->isPlaying();
    if (heard && !engine.demoMode && !engine.muted && !engine.lacks(Quantity::rpm) &&
        engine.rpm > silentRpm) {
        const bool resumed = wakeSoundDevice();
        // The pitch is set before a start so that the first samples heard
        // already follow the engine.
        sound.buffer->setFrequency(engineSoundFrequency(engine.rpm, sound.baseFrequency));
        // Back from a rest, the loop rises from silence: its first samples
        // do not jump from the resumed device's silence to mid-wave.
        if (!playing && resumed)
            sound.buffer->playFadingIn();
        else if (!playing)
            sound.buffer->play();
    } else {
        if (playing)
            sound.buffer->stop();
        restSoundDevice();
    }
}

bool wakeSoundOutput() {
    if (!initSoundDevice())
        return false;
    wakeSoundDevice();
    return true;
}

void releaseEngineSound(SoundOutput& sound) {
    if (!sound.buffer)
        return;
    sound.buffer->stop();
    sound.buffer->release();
    sound.buffer = nullptr;
}
