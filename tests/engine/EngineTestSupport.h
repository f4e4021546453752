#pragma once

#include "engine/EngineModel.h"
#include "engine/EngineFields.h"

#include <QByteArray>

// Puts the record back to process start and the knobs where the window puts them.
inline void startWithControls(float throttle, float propeller, float mixture) {
    engineState = EngineState{};
    engineState.throttle = throttle;
    engineState.propeller = propeller;
    engineState.mixture = mixture;
}

inline float& engineField(const QByteArray& name) {
    const EngineFloatField* field = findEngineFloatField(name.toStdString());
    Q_ASSERT(field);
    return engineState.*field->member;
}
