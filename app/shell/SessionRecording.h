#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class EngineRecorder;
struct EngineState;

// Where the recording's time stamps come from: the program passes the
// system clock, tests a fixed one.
using UtcClock = std::function<std::chrono::system_clock::time_point()>;

// The session as our own engine log, whatever drives the engine (the model,
// a replayed log, a simulator): after each tick's engine step, what the
// screen shows, the knobs, Demo Mode, Mute and the boxed cylinder, one row
// per recording interval of engine time.
class SessionRecording {
public:
    // `report` hears, once, why recording stopped (the program prints it
    // on standard error).
    SessionRecording(std::unique_ptr<EngineRecorder> recorder, UtcClock utc,
                     std::function<void(const std::string&)> report);
    ~SessionRecording();
    SessionRecording(const SessionRecording&) = delete;
    SessionRecording& operator=(const SessionRecording&) = delete;

    // This tick of `engine`, engine time counted from the first recorded tick.
    void recordTick(const EngineState& engine);
    // "flight.csv: cannot write: No space left on device; recording
    // stopped" once it has; empty while it records.
    const std::string& failure() const;
    std::uint64_t rows() const;

private:
    std::unique_ptr<EngineRecorder> recorder;
    UtcClock utc;
    std::function<void(const std::string&)> report;
    std::uint64_t ticks = 0;
};
