#pragma once

#include "engine/EngineSource.h"
#include "engine/Player.h"
#include "logs/EngineLog.h"
#include "logs/LogPlayback.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct ReplayOptions {
    double speed = 1;           // 1/4 .. 64
    double from = 0;            // seconds from the log's first row
    double tickSeconds = 0.065; // the frame timer's period: real time per step
    // Hears the report of bad rows, unreadable cells and clock corrections
    // once, when the log has been read to its end (the program prints it on
    // standard error).
    std::function<void(const std::string&)> report;
    LogOptions log;
};

// A recorded or exported engine log played on the instrument at its own
// pace: each tick shows the log's values at the playback position, between
// two rows interpolated, and what the log lacks as no data. The knobs show
// the logged positions where the log has them; the player's keys pause,
// seek and change the speed.
class ReplaySource final : public EngineSource, public Player {
public:
    struct Opened {
        std::unique_ptr<ReplaySource> source;
        LogError error; // when there is no source
    };
    // Opens the log and, for a start into it, waits until it is read that
    // far; a start past the end of the whole log is refused, naming its length.
    static Opened open(const std::string& path, ReplayOptions options);
    ReplaySource(std::unique_ptr<EngineLog> log, ReplayOptions options);

    void step(EngineState& record) override;
    bool followsControls() const override { return false; }
    bool heard() const override { return !player.paused(); }
    // "flight.csv 00:12:05 / 01:30:00 2x", "paused" after it while paused,
    // then the report once the whole log has been read.
    std::string status() const override;
    bool control(PlayerControl what) override;

    const LogPlayback& playback() const { return player; }
    // To `seconds` from the log's first row (an alarm's start), as a seek
    // key goes: within the log as read so far.
    void seekTo(double seconds) { player.seekBy(seconds - player.position()); }
    // The log's values at `seconds`, apart from the playback: what led up
    // to a moment sought, for the alarms to judge.
    EngineSample sampleAt(double seconds) { return engineLog->sampleAt(seconds); }
    // The registration the log names (an export's aircraft_ident), or empty.
    const std::string& aircraft() const { return engineLog->layout().aircraft; }

private:
    void noteBadRows();

    std::unique_ptr<EngineLog> engineLog;
    LogPlayback player;
    std::string fileName; // as the caption shows it, without its folder
    double tickSeconds;
    std::function<void(const std::string&)> report;
    LogProgress progress;
    std::string findings; // the report, once the log has been read to its end
    bool stepped = false;
    bool reported = false;
};
