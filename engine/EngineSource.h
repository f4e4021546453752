#pragma once

#include <cstdint>
#include <string>

// What a player's keys ask of a source that can pause and seek (a replayed
// log); the model and a live feed take none of them.
enum class SourceControl : std::uint8_t {
    pauseOrResume,
    seekBack, // 10 s
    seekForward,
    seekBackLong, // 60 s
    seekForwardLong,
    faster, // double the speed
    slower, // halve it
    toStart,
};

// Where each tick's engine values come from. The instrument's own is the
// model with its demo sweep, driven by the knobs; a replayed log and a flight
// simulator are outside sources, which own the engine values and whatever
// knob positions they report.
class EngineSource {
public:
    virtual ~EngineSource() = default;
    // One 65 ms tick: this tick's values into the engine record.
    virtual void step() = 0;
    // Whether the knobs and Demo Mode drive the engine. For an outside source
    // they do not: the panel shows what it reports, and a drag does nothing.
    virtual bool followsControls() const = 0;
    // What the caption says of the source beside the title; empty for the model.
    virtual std::string status() const = 0;
    // A player's key; false when the source has no use for it, so that the
    // window leaves the key to the window system.
    virtual bool control(SourceControl) { return false; }
};

// The model and the demo sweep (stepEngine), driven by the knobs.
EngineSource& modelSource();
