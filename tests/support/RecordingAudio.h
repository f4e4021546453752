#pragma once

#include "sound/AudioLayer.h"
#include "sound/WaveFormat.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A stand-in for the audio device that plays nothing. Each buffer keeps what
// a real one would be doing (playing or not, at which pitch, how far into the
// loop); the device writes down the calls that open it and make, fill and free
// buffers, in order, and keeps whether its mixing is paused. How often the
// sound asks a buffer whether it plays is its own business: nothing here
// records it.
class RecordingBuffer final : public SoundBuffer {
public:
    RecordingBuffer(const PcmFormat& format, std::size_t bytes, QStringList& log,
                    const bool& devicePaused)
        : format(format), bytes(bytes), log_(log), devicePaused_(devicePaused) {}

    std::span<std::uint8_t> lock() override {
        log_ << "lock";
        return refuseLock ? std::span<std::uint8_t>{} : std::span<std::uint8_t>{bytes};
    }
    bool unlock() override {
        log_ << "unlock";
        return !refuseUnlock;
    }
    std::uint32_t frequency() override { return format.sampleRate; }
    bool isPlaying() override { return playing; }
    // Like OpenAL Soft's sources: a halted loop plays on from where it halted,
    // while asking a playing one to play starts it again from the beginning.
    void play() override {
        if (playing)
            position = 0;
        playing = true;
        startedAt = pitch;
        fadedIn = false;
        playedOnPausedDevice = playedOnPausedDevice || devicePaused_;
    }
    void playFadingIn() override {
        play();
        fadedIn = true;
    }
    void setFrequency(std::uint32_t hz) override { pitch = hz; }
    void stop() override { playing = false; }
    void release() override {
        log_ << "release";
        released = true;
    }

    // Lets `seconds` of playback pass: a playing loop moves on at its pitch.
    void run(double seconds) {
        if (playing)
            position += double(pitch) * seconds;
    }

    PcmFormat format;
    std::vector<std::uint8_t> bytes;
    bool playing = false;
    std::uint32_t pitch = 0;     // the latest playback frequency asked for, Hz
    std::uint32_t startedAt = 0; // the pitch when play was last asked for, Hz
    bool fadedIn = false;        // the last start rose from silence
    double position = 0;         // loop frames played since the start
    bool released = false;
    bool refuseLock = false;
    bool refuseUnlock = false;
    bool playedOnPausedDevice = false; // a play that nobody would have heard

private:
    QStringList& log_;
    const bool& devicePaused_;
};

class RecordingDevice final : public AudioDevice {
public:
    bool open() override {
        log << "open";
        return opens;
    }
    SoundBuffer* createBuffer(const PcmFormat& format, std::size_t bytes) override {
        log << QStringLiteral("create %1 ch %2 Hz %3 bit %4 bytes")
                   .arg(format.channels)
                   .arg(format.sampleRate)
                   .arg(format.bitsPerSample)
                   .arg(bytes);
        if (!creates)
            return nullptr;
        buffers.push_back(std::make_unique<RecordingBuffer>(format, bytes, log, paused));
        buffers.back()->refuseLock = refuseLock;
        buffers.back()->refuseUnlock = refuseUnlock;
        return buffers.back().get();
    }
    void pause() override {
        paused = true;
        ++pauses;
    }
    void resume() override { paused = false; }

    QStringList log;
    bool paused = false; // mixing stopped: nothing plays out
    int pauses = 0;
    bool opens = true;
    bool creates = true;
    bool refuseLock = false;
    bool refuseUnlock = false;
    std::vector<std::unique_ptr<RecordingBuffer>> buffers;
};
