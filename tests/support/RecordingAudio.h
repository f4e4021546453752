#pragma once

#include "sound/AudioLayer.h"
#include "sound/WaveFormat.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A stand-in for the audio device that plays nothing and writes down every
// call the engine sound makes, in order.
class RecordingBuffer final : public SoundBuffer {
public:
    RecordingBuffer(const PcmFormat& format, std::size_t bytes, QStringList& log)
        : format(format), bytes(bytes), log_(log) {}

    std::span<std::uint8_t> lock() override {
        log_ << "lock";
        return refuseLock ? std::span<std::uint8_t>{} : std::span<std::uint8_t>{bytes};
    }
    bool unlock() override {
        log_ << "unlock";
        return !refuseUnlock;
    }
    std::uint32_t frequency() override { return format.sampleRate; }
    bool isPlaying() override {
        log_ << "status";
        return playing;
    }
    void play() override {
        log_ << "play";
        playing = true;
    }
    void setFrequency(std::uint32_t hz) override {
        log_ << QStringLiteral("pitch %1").arg(hz);
        pitch = hz;
    }
    void stop() override {
        log_ << "stop";
        playing = false;
    }
    void release() override {
        log_ << "release";
        released = true;
    }

    PcmFormat format;
    std::vector<std::uint8_t> bytes;
    bool playing = false;
    std::uint32_t pitch = 0; // the latest playback frequency asked for, Hz
    bool released = false;
    bool refuseLock = false;
    bool refuseUnlock = false;

private:
    QStringList& log_;
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
        buffers.push_back(std::make_unique<RecordingBuffer>(format, bytes, log));
        buffers.back()->refuseLock = refuseLock;
        buffers.back()->refuseUnlock = refuseUnlock;
        return buffers.back().get();
    }

    QStringList log;
    bool opens = true;
    bool creates = true;
    bool refuseLock = false;
    bool refuseUnlock = false;
    std::vector<std::unique_ptr<RecordingBuffer>> buffers;
};
