#pragma once

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/EngineFields.h"
#include "engine/EngineModel.h"
#include "tests/support/InstrumentReset.h"

#include <QByteArray>

// The opening state with the knobs set.
inline void startWithControls(float throttle, float propeller, float mixture) {
    resetInstrument();
    instrument().engine.throttle = throttle;
    instrument().engine.propeller = propeller;
    instrument().engine.mixture = mixture;
}

inline float& engineField(const QByteArray& name) {
    const EngineFloatField* field = findEngineFloatField(name.toStdString());
    Q_ASSERT(field);
    return instrument().engine.*field->member;
}
