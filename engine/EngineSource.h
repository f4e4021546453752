#pragma once

#include <string>

struct EngineState;

// Where each tick's engine values come from. The instrument's own is the
// model with its demo sweep, driven by the knobs; a replayed log and a flight
// simulator are outside sources, which own the engine values and whatever
// knob positions they report.
class EngineSource {
public:
    virtual ~EngineSource() = default;
    // One 65 ms tick: this tick's values into `record`, and nowhere else.
    virtual void step(EngineState& record) = 0;
    // Whether the knobs and Demo Mode drive the engine. For an outside source
    // they do not: the panel shows what it reports, and a drag does nothing.
    virtual bool followsControls() const = 0;
    // What the caption says of the source beside the title; empty for the model.
    virtual std::string status() const = 0;
    // Whether the engine is heard: a source held still (a paused replay)
    // shows its moment but does not drone on at one pitch.
    virtual bool heard() const { return true; }
    // Whether an outside source has gone silent (its values all no data).
    virtual bool stale() const { return false; }
};
