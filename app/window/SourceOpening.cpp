#include "app/window/SourceOpening.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/window/ProgramNotice.h"
#include "live/LiveSource.h"
#include "logs/ReplaySource.h"

#include <QString>

namespace {

OpenedSource openReplay(const std::string& path, const LaunchOptions& options) {
    ReplayOptions replay;
    replay.speed = options.replaySpeed;
    replay.from = options.replayFrom;
    replay.tickSeconds = frameTimerPeriodMs / 1000.0;
    replay.report = printNotice;
    ReplaySource::Opened opened = ReplaySource::open(path, std::move(replay));
    if (!opened.source)
        return {nullptr, opened.error.message()};
    // The log's aircraft on the status bar, where the log names it.
    instrument().renderer.registration =
        QString::fromStdString(opened.source->aircraft()).toStdU16String();
    return {std::move(opened.source), {}};
}

} // namespace

OpenedSource openEngineSource(const LaunchOptions& options) {
    if (options.replayPath)
        return openReplay(*options.replayPath, options);
    std::string error;
    std::unique_ptr<LiveSource> live = openLiveSource(options.live, &error);
    return {std::move(live), std::move(error)};
}

bool sourceNeedsApplication(const LaunchOptions& options) {
    return !options.replayPath &&
           (!options.live.xplane.isEmpty() || !options.live.flightgear.isEmpty());
}
