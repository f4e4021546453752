#include "app/EngineSources.h"

#include "app/ShellSequence.h"
#include "live/LiveSource.h"
#include "logs/EngineRecorder.h"
#include "logs/ReplaySource.h"
#include "panel/FrameCompositor.h"

#include <QString>

#include <cstdio>

void printNotice(const std::string& notice) {
    std::fprintf(stderr, "zentor-demo: %s\n", notice.c_str());
}

OpenedSource openEngineSource(const LaunchOptions& options) {
    if (options.replayPath) {
        ReplayOptions replay;
        replay.speed = options.replaySpeed;
        replay.from = options.replayFrom;
        replay.tickSeconds = frameTimerPeriodMs / 1000.0;
        replay.report = printNotice;
        ReplaySource::Opened opened = ReplaySource::open(*options.replayPath, std::move(replay));
        if (!opened.source)
            return {nullptr, opened.error.message()};
        // The log's aircraft on the status bar, where the log names it.
        screenRenderer.registration =
            QString::fromStdString(opened.source->aircraft()).toStdU16String();
        return {std::move(opened.source), {}};
    }
    return {};
}

OpenedSource openSimulatorSource(const LaunchOptions& options) {
    std::string error;
    std::unique_ptr<LiveSource> live = openLiveSource(options.live, &error);
    return {std::move(live), std::move(error)};
}

OpenedRecording openSessionRecording(const LaunchOptions& options, UtcClock utc) {
    if (!options.recordPath)
        return {};
    RecorderOptions recorder;
    recorder.version = ZENTOR_VERSION;
    recorder.interval = options.recordInterval;
    recorder.overwrite = options.overwriteRecording;
    EngineRecorder::Created created = EngineRecorder::create(*options.recordPath, recorder);
    if (!created.recorder)
        return {nullptr, created.exists ? created.error + " (--force replaces it)" : created.error};
    return {std::make_unique<SessionRecording>(std::move(created.recorder), std::move(utc),
                                               printNotice),
            {}};
}

void discardSessionRecording(OpenedRecording& recording, const LaunchOptions& options) {
    if (!recording.recording)
        return;
    recording.recording.reset();
    std::remove(options.recordPath->c_str());
}
