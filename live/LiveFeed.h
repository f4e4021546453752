#pragma once

#include "engine/EngineSample.h"

// The latest values from a simulator and whether they are still live. Times
// are seconds on the link's clock; nothing here reads a clock.
inline constexpr double staleAfterSeconds = 2.0;

class LiveFeed {
public:
    explicit LiveFeed(double startTime) : start_(startTime) {}

    // Called at the start of each poll: once the simulator has been silent
    // for two seconds every value is dropped, so that the first packet after
    // it never brings back a reading from before the silence.
    void beginPoll(double now) {
        if (stale(now))
            latest_ = EngineSample{};
    }

    EngineSample& latest() { return latest_; }
    void validPacketAt(double now) {
        lastValid_ = now;
        heard_ = true;
    }

    // Stale until the first valid packet, and two seconds after the last.
    bool stale(double now) const { return !heard_ || now - lastValid_ >= staleAfterSeconds; }
    bool heard() const { return heard_; }
    double lastValid() const { return lastValid_; }

    // What the gauges show now: the latest values, or none at all while stale.
    EngineSample sample(double now) const {
        EngineSample shown = stale(now) ? EngineSample{} : latest_;
        shown.time = now - start_;
        return shown;
    }

private:
    double start_;
    double lastValid_ = 0;
    bool heard_ = false;
    EngineSample latest_;
};
