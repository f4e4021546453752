#include "sound/OpenAlAudio.h"

#include "sound/WaveFormat.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <climits>
#include <vector>

namespace {

// One looping engine recording at full volume, peaking 1.5 dB below full
// scale, cannot clip; the library's output limiter would only double the
// mixer's CPU time, so it is off where the library lets it be switched.
std::vector<ALCint> contextAttributes(ALCdevice* device) {
    std::vector<ALCint> attributes;
    if (alcIsExtensionPresent(device, "ALC_SOFT_output_limiter") == ALC_TRUE)
        attributes.insert(attributes.end(), {ALC_OUTPUT_LIMITER_SOFT, ALC_FALSE});
    attributes.push_back(0);
    return attributes;
}

// The default output device and its one context. They are opened at most
// once and kept until the process ends, when this object closes them.
struct OpenAlOutput {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    // Where the library can pause a whole device, its mixer thread and
    // output stop; elsewhere they run on, mixing silence.
    LPALCDEVICEPAUSESOFT pauseDevice = nullptr;
    LPALCDEVICERESUMESOFT resumeDevice = nullptr;

    bool open() {
        if (context)
            return true;
        device = alcOpenDevice(nullptr);
        if (!device)
            return false;
        context = alcCreateContext(device, contextAttributes(device).data());
        if (!context || alcMakeContextCurrent(context) != ALC_TRUE) {
            close();
            return false;
        }
        if (alcIsExtensionPresent(device, "ALC_SOFT_pause_device") == ALC_TRUE) {
            pauseDevice = reinterpret_cast<LPALCDEVICEPAUSESOFT>(
                alcGetProcAddress(device, "alcDevicePauseSOFT"));
            resumeDevice = reinterpret_cast<LPALCDEVICERESUMESOFT>(
                alcGetProcAddress(device, "alcDeviceResumeSOFT"));
        }
        if (!pauseDevice || !resumeDevice) {
            pauseDevice = nullptr;
            resumeDevice = nullptr;
        }
        return true;
    }

    void pause() {
        if (device && pauseDevice)
            pauseDevice(device);
    }

    void resume() {
        if (device && resumeDevice)
            resumeDevice(device);
    }

    void close() {
        if (context) {
            alcMakeContextCurrent(nullptr);
            alcDestroyContext(context);
        }
        if (device)
            alcCloseDevice(device);
        context = nullptr;
        device = nullptr;
        pauseDevice = nullptr;
        resumeDevice = nullptr;
    }

    ~OpenAlOutput() { close(); }
};

OpenAlOutput output;

ALenum alFormat(const PcmFormat& format) {
    if (format.channels == 1)
        return format.bitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    return format.bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

// One OpenAL buffer holding the recording and one looping source playing it
// at full volume: its channels go straight to the speakers where the library
// allows it, otherwise it sits at the listener, centred.
class OpenAlBuffer final : public SoundBuffer {
public:
    OpenAlBuffer(ALuint buffer, ALuint source, const PcmFormat& format, std::size_t bytes)
        : buffer_(buffer), source_(source), format_(alFormat(format)),
          sampleRate_(format.sampleRate), bytes_(bytes) {}

    // OpenAL takes the samples in one call, so the bytes wait here meanwhile.
    std::span<std::uint8_t> lock() override {
        staging_.assign(bytes_, 0);
        return staging_;
    }

    bool unlock() override {
        alGetError();
        alBufferData(buffer_, format_, staging_.data(), ALsizei(staging_.size()),
                     ALsizei(sampleRate_));
        staging_ = {};
        if (alGetError() != AL_NO_ERROR)
            return false;
        alSourcei(source_, AL_BUFFER, ALint(buffer_));
        return alGetError() == AL_NO_ERROR;
    }

    std::uint32_t frequency() override {
        ALint rate = 0;
        alGetBufferi(buffer_, AL_FREQUENCY, &rate);
        return rate > 0 ? std::uint32_t(rate) : 0;
    }

    bool isPlaying() override {
        ALint state = AL_STOPPED;
        alGetSourcei(source_, AL_SOURCE_STATE, &state);
        return state == AL_PLAYING;
    }

    void play() override { alSourcePlay(source_); }

    // A paused source plays on at once at the volume it halted at; one
    // stopped and started afresh at an offset is faded in by the library.
    void playFadingIn() override {
        ALint offset = 0;
        alGetSourcei(source_, AL_SAMPLE_OFFSET, &offset);
        alSourceStop(source_);
        alSourcei(source_, AL_SAMPLE_OFFSET, offset);
        alSourcePlay(source_);
    }

    void setFrequency(std::uint32_t hz) override {
        alSourcef(source_, AL_PITCH, float(double(hz) / sampleRate_));
    }

    // A paused source resumes where it halted; a stopped one would rewind.
    void stop() override { alSourcePause(source_); }

    void release() override {
        alSourceStop(source_);
        alDeleteSources(1, &source_);
        alDeleteBuffers(1, &buffer_);
        delete this;
    }

private:
    ~OpenAlBuffer() = default;

    ALuint buffer_;
    ALuint source_;
    ALenum format_;
    std::uint32_t sampleRate_;
    std::size_t bytes_;
    std::vector<std::uint8_t> staging_;
};

class OpenAlDevice final : public AudioDevice {
public:
    bool open() override { return output.open(); }

    SoundBuffer* createBuffer(const PcmFormat& format, std::size_t bytes) override {
        if (!output.context || bytes == 0 || bytes > std::size_t(INT_MAX) ||
            format.sampleRate > std::uint32_t(INT_MAX))
            return nullptr;
        alGetError();
        ALuint buffer = 0;
        alGenBuffers(1, &buffer);
        if (alGetError() != AL_NO_ERROR)
            return nullptr;
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffer);
            return nullptr;
        }
        alSourcei(source, AL_LOOPING, AL_TRUE);
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
        if (alIsExtensionPresent("AL_SOFT_direct_channels"))
            alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        return new OpenAlBuffer(buffer, source, format, bytes);
    }

    void pause() override { output.pause(); }
    void resume() override { output.resume(); }
};

OpenAlDevice openAlDevice;

} // namespace

AudioDevice& openAlAudioDevice() {
    return openAlDevice;
}

void closeOpenAlAudioDevice() {
    output.close();
}
