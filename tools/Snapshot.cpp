#include "tools/Snapshot.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentAlarms.h"
#include "app/shell/OpeningState.h"
#include "engine/EngineModel.h"
#include "engine/SampleValues.h"
#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "logs/EngineLog.h"
#include "logs/LogDescription.h"
#include "logs/LogTime.h"
#include "panel/FrameCompositor.h"
#include "panel/OffscreenPanelWindow.h"
#include "panel/PanelArtwork.h"
#include "panel/PanelLayout.h"
#include "screen/ScreenRenderer.h"

#include <algorithm>

namespace {

// The whole frame resampled to a client area, as the window shows it.
QImage stretched(const QImage& frame, ClientSize size) {
    const gfx::Bitmap source(frame);
    gfx::Bitmap target(size.width, size.height);
    {
        gfx::Graphics graphics(target);
        graphics.setInterpolationMode(gfx::InterpolationMode::bilinear);
        graphics.drawImage(&source, gfx::Rect{0, 0, size.width, size.height});
    }
    return target.image();
}

// The whole panel as the window shows it, at the panel's own size by default.
QImage renderPanel(Instrument& instrument, std::optional<ClientSize> clientSize,
                   std::u16string_view registration) {
    loadPanelArtwork(instrument.artwork);
    instrument.renderer.powerUp();
    instrument.renderer.registration = registration;
    const ImageSize panel = panelFrameSize(instrument.artwork);
    const ClientSize client = clientSize.value_or(ClientSize{panel.width, panel.height});
    OffscreenPanelWindow window;
    window.client = {0, 0, client.width, client.height};
    instrument.view.window = &window;
    composeFrame(instrument.view, panelScene(instrument));
    instrument.view.window = nullptr;
    instrument.renderer.release();
    freePanelArtwork(instrument.artwork);
    return window.lastFrame.image();
}

} // namespace

LoggedMoment readLoggedMoment(const std::string& path, double at) {
    LogOptions whole;
    whole.indexInBackground = false;
    EngineLog::Opened opened = EngineLog::open(path, whole);
    if (!opened.log)
        return {std::nullopt, opened.error.message(), {}, {}};
    const LogProgress progress = opened.log->progress();
    if (at > progress.length)
        return {std::nullopt,
                path + ": --at " + formatLogClock(at) + " is past the end of the log (" +
                    formatLogClock(progress.length) + " long)",
                {},
                {}};
    const double target = at;
    // Each call reads a bounded stretch of the file; a moment far past a
    // long run of bad rows takes several.
    EngineSample sample = opened.log->sampleAt(target);
    for (double reached = -1; sample.time < target && sample.time > reached;) {
        reached = sample.time;
        sample = opened.log->sampleAt(target);
    }
    return {sample, {}, badRowsMessage(path, progress), opened.log->layout().aircraft};
}

LogReport describeLogFile(const std::string& path) {
    LogOptions whole;
    whole.indexInBackground = false;
    const EngineLog::Opened opened = EngineLog::open(path, whole);
    if (!opened.log)
        return {{}, opened.error.message()};
    return {describeLog(*opened.log), {}};
}

void prepareEngineState(Instrument& instrument, const SnapshotOptions& options,
                        const EngineSample* logged) {
    setOpeningState(instrument, options.seed);
    if (logged)
        applySample(*logged, instrument.engine);
    for (const FieldAssignment& assignment : options.assignments)
        applyAssignment(instrument.engine, assignment);
    // The model's alarms are judged from the state set, then at every tick.
    const bool modelAlarms = !logged && alarmsOn(options);
    if (modelAlarms) {
        startAlarms(instrument.alarms, options.aircraft.value_or(instrumentProfile));
        watchAlarms(instrument.alarms, instrument.engine, std::nullopt, false,
                    instrument.renderer.alarms);
    }
    for (long long tick = 0; tick < options.ticks; ++tick) {
        stepEngine(instrument.engine, instrument.model.sweep);
        if (modelAlarms)
            watchAlarms(instrument.alarms, instrument.engine, std::nullopt, false,
                        instrument.renderer.alarms);
    }
}

bool alarmsOn(const SnapshotOptions& options) {
    return options.alarms || options.aircraft;
}

void judgeLoggedAlarms(Instrument& instrument, const std::string& path, double at,
                       const AircraftProfile& profile) {
    startAlarms(instrument.alarms, profile);
    LogOptions whole;
    whole.indexInBackground = false;
    EngineLog::Opened opened = EngineLog::open(path, whole);
    if (!opened.log)
        return;
    EngineLog& log = *opened.log;
    judgeStretch(
        instrument.alarms, 0, at, [&log](double time) { return log.sampleAt(time); },
        instrument.renderer.alarms);
}

QImage renderScreen(const EngineState& engine, std::u16string_view registration,
                    const AircraftProfile& profile, const ScreenAlarms& alarms,
                    const std::optional<LeanView>& lean) {
    ScreenRenderer renderer;
    renderer.powerUp();
    renderer.registration = registration;
    renderer.setAircraft(profile);
    renderer.alarms = alarms;
    renderer.lean = lean;

    // The panel's screen area is black; the renderer paints no background.
    QImage black(screenWidth, screenHeight, QImage::Format_RGB32);
    black.fill(Qt::black);
    gfx::Bitmap screen(black);
    {
        gfx::Graphics graphics(screen);
        graphics.setClip(gfx::Rect{0, 0, screenWidth, screenHeight});
        renderer.draw(graphics, engine);
    }
    return screen.image();
}

QImage renderFrame(Instrument& instrument, const SnapshotOptions& options,
                   const EngineSample* logged, std::u16string_view registration,
                   const LeanFinder* lean) {
    prepareEngineState(instrument, options, logged);
    const AircraftProfile& profile = options.aircraft ? *options.aircraft : instrumentProfile;
    instrument.renderer.setAircraft(profile);
    if (logged && options.replay && alarmsOn(options))
        judgeLoggedAlarms(instrument, *options.replay, options.at.value_or(0), profile);
    // One picture of a flashing box: the inverse half of its flash.
    ScreenAlarms& alarms = instrument.renderer.alarms;
    alarms.flashInverse = std::any_of(alarms.looks.begin(), alarms.looks.end(),
                                      [](const ReadoutLook& look) { return look.flashes; });
    if (lean)
        instrument.renderer.lean = leanView(*lean, instrument.engine.selectedCylinder,
                                            profile.temperatureUnit, profile.fuelUnit);
    if (!options.screenOnly)
        return renderPanel(instrument, options.size, registration);
    const QImage screen = renderScreen(instrument.engine, registration, profile,
                                       instrument.renderer.alarms, instrument.renderer.lean);
    return options.size ? stretched(screen, *options.size) : screen;
}
