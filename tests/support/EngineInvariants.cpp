#include "tests/support/EngineInvariants.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "engine/EngineFields.h"
#include "gfx/DrawingObjectCount.h"

#include <array>
#include <cmath>

namespace {

struct KnobField {
    const char* name;
    float EngineState::*position;
};

constexpr auto knobFields = std::to_array<KnobField>({
    {"throttle", &EngineState::throttle},
    {"propeller", &EngineState::propeller},
    {"mixture", &EngineState::mixture},
});
static_assert(knobFields.size() == 3);

QString spreadFault() {
    for (int cylinder = 0; cylinder < 6; ++cylinder) {
        if (!std::isfinite(instrument().engine.egtSpread[cylinder]))
            return QStringLiteral("egtSpread[%1] is %2")
                .arg(cylinder)
                .arg(instrument().engine.egtSpread[cylinder]);
        if (!std::isfinite(instrument().engine.chtSpread[cylinder]))
            return QStringLiteral("chtSpread[%1] is %2")
                .arg(cylinder)
                .arg(instrument().engine.chtSpread[cylinder]);
    }
    return {};
}

} // namespace

QString engineStateFault() {
    for (std::size_t i = 0; i < engineValueCount; ++i) {
        const EngineFloatField& field = engineFloatFields[i];
        const float value = instrument().engine.*field.member;
        if (!std::isfinite(value))
            return QStringLiteral("%1 is %2")
                .arg(QLatin1String(field.name.data(), qsizetype(field.name.size())))
                .arg(value);
    }
    for (const KnobField& knob : knobFields) {
        const float position = instrument().engine.*knob.position;
        if (!(position >= 0.0f && position <= 1.0f))
            return QStringLiteral("%1 is at %2").arg(QLatin1String(knob.name)).arg(position);
    }
    if (instrument().engine.selectedCylinder > 5)
        return QStringLiteral("cylinder %1 selected").arg(instrument().engine.selectedCylinder);
    if (instrument().engine.demoMode != 0 && instrument().engine.demoMode != 1)
        return QStringLiteral("demoMode is %1").arg(instrument().engine.demoMode);
    if (instrument().engine.muted != 0 && instrument().engine.muted != 1)
        return QStringLiteral("muted is %1").arg(instrument().engine.muted);
    return spreadFault();
}

QString drawingObjectFault(int bitmapsKept) {
    for (int kind = 0; kind < gfx::objectKindCount; ++kind) {
        const auto objectKind = static_cast<gfx::ObjectKind>(kind);
        const int live = gfx::drawingObjects::liveObjects(objectKind);
        const int allowed = objectKind == gfx::ObjectKind::bitmap ? bitmapsKept : 0;
        if (live < 0 || live > allowed)
            return QStringLiteral("%1 drawing objects of kind %2 alive, %3 allowed")
                .arg(live)
                .arg(kind)
                .arg(allowed);
    }
    return {};
}
