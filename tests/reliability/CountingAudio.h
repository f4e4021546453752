#pragma once

#include "sound/AudioLayer.h"
#include "sound/OpenAlAudio.h"

// OpenAL Soft's own device, counted: every buffer it makes through here is
// counted until released, so a failure path that forgets one shows.
class CountingDevice final : public AudioDevice {
public:
    int made = 0;
    int live = 0;

    bool open() override { return openAlAudioDevice().open(); }

    SoundBuffer* createBuffer(const PcmFormat& format, std::size_t bytes) override {
        SoundBuffer* buffer = openAlAudioDevice().createBuffer(format, bytes);
        if (!buffer)
            return nullptr;
        ++made;
        ++live;
        return new CountedBuffer(*buffer, live);
    }

    void pause() override { openAlAudioDevice().pause(); }
    void resume() override { openAlAudioDevice().resume(); }

private:
    class CountedBuffer final : public SoundBuffer {
    public:
        CountedBuffer(SoundBuffer& inner, int& live) : inner(inner), live(live) {}
        std::span<std::uint8_t> lock() override { return inner.lock(); }
        bool unlock() override { return inner.unlock(); }
        std::uint32_t frequency() override { return inner.frequency(); }
        bool isPlaying() override { return inner.isPlaying(); }
        void play() override { inner.play(); }
        void playFadingIn() override { inner.playFadingIn(); }
        void setFrequency(std::uint32_t hz) override { inner.setFrequency(hz); }
        void stop() override { inner.stop(); }
        void release() override {
            inner.release();
            --live;
            delete this;
        }

    private:
        ~CountedBuffer() = default;
        SoundBuffer& inner;
        int& live;
    };
};
