#include "app/shell/SessionRecording.h"

#include "engine/Engine.h"
#include "engine/EngineModel.h"
#include "engine/SampleValues.h"
#include "logs/EngineRecorder.h"

SessionRecording::SessionRecording(std::unique_ptr<EngineRecorder> engineRecorder, UtcClock clock,
                                   std::function<void(const std::string&)> reportFailure)
    : recorder(std::move(engineRecorder)), utc(std::move(clock)), report(std::move(reportFailure)) {
}

SessionRecording::~SessionRecording() = default;

void SessionRecording::recordTick(const EngineState& engine) {
    const double seconds = double(ticks++) * modelTimeStep;
    RecordedTick tick;
    tick.utc = utc();
    tick.seconds = seconds;
    tick.values = shownValues(engine);
    tick.demoMode = engine.demoMode != 0;
    tick.muted = engine.muted != 0;
    tick.selectedCylinder = engine.selectedCylinder + 1;
    if (recorder->record(tick) == RecordOutcome::failed && report)
        report(recorder->failure());
}

const std::string& SessionRecording::failure() const {
    return recorder->failure();
}

std::uint64_t SessionRecording::rows() const {
    return recorder->rows();
}
