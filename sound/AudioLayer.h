#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

struct PcmFormat;

// One static, looping sound buffer of the audio device: the whole recording
// is copied in once, then it is only played, re-pitched and stopped. Mixing
// happens on the device's own threads; every call here is made on the window
// thread.
struct SoundBuffer {
    // Writable bytes covering the whole buffer, or an empty span on failure.
    virtual std::span<std::uint8_t> lock() = 0;
    // Hands the written bytes to the device; false if it refused them.
    virtual bool unlock() = 0;
    // The recording's own sample rate in Hz: its playback frequency before any change.
    virtual std::uint32_t frequency() = 0;
    virtual bool isPlaying() = 0;
    // Plays in a loop from where it last stopped (the start, the first time).
    virtual void play() = 0;
    // As play, but the first samples rise from silence over the device's
    // first mixing period instead of starting at full volume mid-wave.
    virtual void playFadingIn() = 0;
    // Playback rate in Hz; the pitch changes at once.
    virtual void setFrequency(std::uint32_t hz) = 0;
    // Halts and keeps the play position.
    virtual void stop() = 0;
    // Frees the buffer; the object is gone afterwards.
    virtual void release() = 0;

protected:
    ~SoundBuffer() = default;
};

// The audio device: opened once, it lasts until the process ends.
struct AudioDevice {
    // Opens the default output and makes it current; false when there is none.
    virtual bool open() = 0;
    // A stopped, looping buffer of `bytes` bytes in `format`, or null.
    virtual SoundBuffer* createBuffer(const PcmFormat& format, std::size_t bytes) = 0;
    // Stops the device's mixing and output altogether while nothing plays,
    // so that it costs nothing; resume() starts them again, before any
    // buffer plays. A device that cannot do this keeps mixing silence, and
    // both calls do nothing.
    virtual void pause() = 0;
    virtual void resume() = 0;

protected:
    ~AudioDevice() = default;
};

// The device the engine sound plays on: OpenAL Soft unless replaced.
AudioDevice& audioDevice();
// Tests put a recording device in place; nullptr restores OpenAL Soft.
void setAudioDevice(AudioDevice* device);
