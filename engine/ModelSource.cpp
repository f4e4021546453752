#include "engine/EngineModel.h"
#include "engine/EngineSource.h"

namespace {

class ModelSource final : public EngineSource {
public:
    void step(EngineState& record) override { stepEngine(record); }
    bool followsControls() const override { return true; }
    std::string status() const override { return {}; }
};

} // namespace

EngineSource& modelSource() {
    static ModelSource model;
    return model;
}
