#pragma once

#include "engine/EngineFields.h"
#include "engine/EngineModel.h"
#include "tests/support/InstrumentReset.h"

#include <QByteArray>

// The opening state with the knobs set.
inline void startWithControls(float throttle, float propeller, float mixture) {
    resetInstrument();
    engineState.throttle = throttle;
    engineState.propeller = propeller;
    engineState.mixture = mixture;
}

inline float& engineField(const QByteArray& name) {
    const EngineFloatField* field = findEngineFloatField(name.toStdString());
    Q_ASSERT(field);
    return engineState.*field->member;
}
