#include "app/shell/InstrumentController.h"

#include "app/shell/AlarmStartScan.h"
#include "app/shell/Instrument.h"
#include "app/shell/OpeningState.h"
#include "app/shell/SessionRecording.h"
#include "engine/Engine.h"
#include "engine/EngineSource.h"
#include "logs/ReplaySource.h"

#include "panel/FrameCompositor.h"
#include "panel/PanelWindow.h"
#include "resources/Resources.h"
#include "sound/EngineSound.h"
#include <optional>

namespace {
Instrument shellInstrument;
bool running = false;
EngineSource* source = nullptr; // the model when none is set
SessionRecording* recording = nullptr;
AlarmStartScan* alarmStartScan = nullptr;
WindowInterface* platformShown = nullptr; // while running
std::string statusShown;

void showStatus(const std::string& status) {
    if (!platformShown || status == statusShown)
        return;
    statusShown = status;
    platformShown->showStatus(status);
}

// The source's status, and a recording that stopped beside it.
std::string captionStatus() {
    std::string status = engineSource().status();
    if (recording && !recording->failure().empty())
        status += (status.empty() ? "" : " \u2014 ") + recording->failure();
    return status;
}

// The alarms judge what this tick shows, at the source's time: a replay's
// place in its log, else the ticks counted.
void watchSourceAlarms() {
    AlarmWatch& watch = shellInstrument.alarms;
    if (alarmStartScan)
        if (auto stops = alarmStartScan->take()) {
            watch.starts = std::move(stops->alarms);
            watch.leanSweeps = std::move(stops->leanSweeps);
        }
    if (!watch.monitor)
        return;
    std::optional<double> time;
    if (const auto* replay = dynamic_cast<const ReplaySource*>(&engineSource()))
        time = replay->playback().position();
    watchAlarms(watch, shellInstrument.engine, time, engineSource().stale(),
                shellInstrument.renderer.alarms);
    updateAlarmChime(shellInstrument.chime,
                     chimeWanted(watch, shellInstrument.renderer.alarms, shellInstrument.engine));
}

} // namespace

void setEngineSource(EngineSource* newSource) {
    source = newSource;
    if (PanelWindow* window = shellInstrument.view.window)
        window->keptFrame.redrawAll();
}

EngineSource& engineSource() {
    return source ? *source : shellInstrument.model;
}

void setSessionRecording(SessionRecording* newRecording) {
    recording = newRecording;
}

void setAlarmStartScan(AlarmStartScan* scan) {
    alarmStartScan = scan;
}

bool shellRunning() {
    return running;
}

Instrument& instrument() {
    return shellInstrument;
}

void startShell(WindowInterface& platform, std::uint32_t spreadSeed) {
    // Keeps the loop and its rate, or leaves the instrument silent when
    // there is no device or no recording.
    loadEngineSound(shellInstrument.sound, zentor::engineSoundWave);
    setOpeningState(shellInstrument, spreadSeed);
    shellInstrument.view.window = platform.frameSurface();
    shellInstrument.renderer.powerUp();
    platform.setFrameComposer([](PanelWindow& window) {
        refreshFrame(shellInstrument.view, window, panelScene(shellInstrument));
    });
    platformShown = &platform;
    statusShown.clear();
    platform.startFrameTimer(frameTimerPeriodMs);
    running = true;
}

namespace {

// The lean search takes the tick the source left, and the screen its readouts.
void followLean(Instrument& shell) {
    const AircraftProfile& aircraft = shell.renderer.aircraft();
    shell.lean.tick(shell.engine, aircraft.cylinders, frameTimerPeriodMs / 1000.0);
    shell.renderer.lean =
        shell.lean.view(shell.engine.selectedCylinder, aircraft.temperatureUnit, aircraft.fuelUnit);
}

} // namespace

void stepInstrument() {
    updateEngineSound(shellInstrument.sound, shellInstrument.engine, engineSource().heard());
    engineSource().step(shellInstrument.engine);
    followLean(shellInstrument);
    watchSourceAlarms();
    if (recording)
        recording->recordTick(shellInstrument.engine);
}

void tickFrameTimer() {
    stepInstrument();
    showStatus(captionStatus());
    composeFrame(shellInstrument.view, panelScene(shellInstrument));
}

void closeShell(WindowInterface& platform) {
    if (!running)
        return;
    running = false;
    platformShown = nullptr;
    platform.setFrameComposer({});
    shellInstrument.renderer.release();
    platform.stopFrameTimer();
    releaseAlarmChime(shellInstrument.chime);
    releaseEngineSound(shellInstrument.sound);
    PanelView& view = shellInstrument.view;
    if (view.window)
        view.window->keptFrame.release();
    view.window = nullptr;
    platform.closeWindow();
}

void resetWindowSize(WindowInterface& platform) {
    platform.resizeWindow(resetWindowWidth, resetWindowHeight);
}
