#include "engine/ModelSource.h"

void ModelSource::step(EngineState& record) {
    stepEngine(record, sweep);
}

bool ModelSource::followsControls() const {
    return true;
}

std::string ModelSource::status() const {
    return {};
}
