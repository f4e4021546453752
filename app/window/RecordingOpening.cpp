#include "app/window/RecordingOpening.h"

#include "app/window/ProgramNotice.h"
#include "logs/EngineRecorder.h"

OpenedRecording openSessionRecording(const LaunchOptions& options, UtcClock utc) {
    if (!options.recordPath)
        return {};
    RecorderOptions recorder;
    recorder.version = ZENTOR_VERSION;
    recorder.interval = options.recordInterval;
    recorder.overwrite = options.overwriteRecording;
    // The aircraft flown, for the status bar of a replay of it.
    if (options.aircraft)
        recorder.tail = std::string(options.aircraft->tailNumber.view());
    EngineRecorder::Created created = EngineRecorder::create(*options.recordPath, recorder);
    if (!created.recorder)
        return {nullptr, created.exists ? created.error + " (--force replaces it)" : created.error};
    return {std::make_unique<SessionRecording>(std::move(created.recorder), std::move(utc),
                                               printNotice),
            {}};
}
