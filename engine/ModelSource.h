#pragma once

#include "engine/EngineModel.h"
#include "engine/EngineSource.h"

// The instrument's own source: the model and the demo sweep (stepEngine),
// driven by the knobs. It keeps the sweep's directions from tick to tick.
class ModelSource final : public EngineSource {
public:
    void step(EngineState& record) override;
    bool followsControls() const override;
    std::string status() const override;

    DemoSweep sweep;
};
