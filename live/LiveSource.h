#pragma once

#include "engine/EngineSource.h"
#include "live/LiveLink.h"
#include "live/LiveOptions.h"

#include <memory>
#include <string>

// A flight simulator as the instrument's engine source: each tick takes what
// the link received and puts it into the engine record, every value no data
// while the simulator is silent. The simulator owns the controls, so the
// knobs show only the positions it sends and Demo Mode does nothing.
class LiveSource final : public EngineSource {
public:
    explicit LiveSource(std::unique_ptr<LiveLink> link);

    void step(EngineState& record) override;
    bool followsControls() const override { return false; }
    // "Waiting for X-Plane at 127.0.0.1:49000" while stale, from the start
    // until the first valid packet; "X-Plane at 127.0.0.1:49000" after it.
    std::string status() const override;
    bool stale() const override { return link_->stale(); }

    const LiveLink& link() const { return *link_; }

private:
    std::unique_ptr<LiveLink> link_;
    std::string source_;  // the caption's texts, made once: the link's address
    std::string awaited_; // does not change while it runs
};

// The source the command line asks for (--xplane, --flightgear, --listen,
// --xplane-map): null without --xplane or --flightgear, where the model runs
// as always and *error stays empty; null with a one-line *error when the
// options do not fit or the socket cannot be opened.
std::unique_ptr<LiveSource> openLiveSource(const LiveOptionTexts& options, std::string* error,
                                           LiveClock clock = steadyLiveClock());
