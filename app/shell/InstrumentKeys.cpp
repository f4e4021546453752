#include "app/shell/InstrumentKeys.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/shell/KnobKeys.h"
#include "app/shell/PanelControls.h"
#include "engine/EngineSource.h"
#include "engine/Player.h"
#include "logs/ReplaySource.h"
#include "panel/PanelWindow.h"

#include <array>

namespace {

// The player's keys, passed to a replay; the model and a live feed take none.
struct ReplayKey {
    InstrumentKey key;
    PlayerControl control;
};

constexpr std::size_t replayKeyCount = 8;
constexpr auto replayKeys = std::to_array<ReplayKey>({
    {.key = InstrumentKey::pauseReplay, .control = PlayerControl::pauseOrResume},
    {.key = InstrumentKey::seekBack, .control = PlayerControl::seekBack},
    {.key = InstrumentKey::seekForward, .control = PlayerControl::seekForward},
    {.key = InstrumentKey::seekBackLong, .control = PlayerControl::seekBackLong},
    {.key = InstrumentKey::seekForwardLong, .control = PlayerControl::seekForwardLong},
    {.key = InstrumentKey::replayFaster, .control = PlayerControl::faster},
    {.key = InstrumentKey::replaySlower, .control = PlayerControl::slower},
    {.key = InstrumentKey::replayToStart, .control = PlayerControl::toStart},
});
static_assert(replayKeys.size() == replayKeyCount);

// A seek, a pause or a new speed taken by the source starts the frame afresh.
bool controlSource(InstrumentKey key) {
    auto* player = dynamic_cast<Player*>(&engineSource());
    for (const ReplayKey& row : replayKeys)
        if (row.key == key) {
            const bool taken = player && player->control(row.control);
            PanelWindow* window = instrument().view.window;
            if (taken && window)
                window->keptFrame.redrawAll();
            return taken;
        }
    return false;
}

// N and P: the replay to the next or the previous alarm's start or lean
// sweep, with the alarms as they stood there.
bool seekAlarm(bool forward) {
    auto* replay = dynamic_cast<ReplaySource*>(&engineSource());
    AlarmWatch& watch = instrument().alarms;
    if (!replay || (!watch.monitor && watch.leanSweeps.empty()))
        return false;
    const std::optional<double> start =
        nextAlarmStart(watch, replay->playback().position(), forward);
    if (!start)
        return true; // none that way: the key is the instrument's still
    replay->seekTo(*start);
    judgeLeadUp(
        watch, *start, [replay](double time) { return replay->sampleAt(time); },
        instrument().renderer.alarms);
    if (PanelWindow* window = instrument().view.window)
        window->keptFrame.redrawAll();
    return true;
}

} // namespace

bool pressInstrumentKey(InstrumentKey key, WindowInterface& platform) {
    if (!shellRunning())
        return false;
    // The knobs and Demo Mode act only while the source follows the controls.
    const bool knobsDriveEngine = engineSource().followsControls();
    switch (key) {
    case InstrumentKey::chooseThrottle:
        return chooseKnob(instrument(), 0, knobsDriveEngine);
    case InstrumentKey::choosePropeller:
        return chooseKnob(instrument(), 1, knobsDriveEngine);
    case InstrumentKey::chooseMixture:
        return chooseKnob(instrument(), 2, knobsDriveEngine);
    case InstrumentKey::knobIn:
        return moveChosenKnob(instrument(), 1, knobsDriveEngine);
    case InstrumentKey::knobOut:
        return moveChosenKnob(instrument(), -1, knobsDriveEngine);
    case InstrumentKey::knobInTenth:
        return moveChosenKnobByTenths(instrument(), 1, knobsDriveEngine);
    case InstrumentKey::knobOutTenth:
        return moveChosenKnobByTenths(instrument(), -1, knobsDriveEngine);
    case InstrumentKey::toggleFullscreen:
        return platform.toggleFullscreen();
    case InstrumentKey::stepCylinder:
        stepSelectedCylinder(instrument());
        return true;
    case InstrumentKey::toggleDemoMode:
        toggleDemoMode(instrument(), knobsDriveEngine);
        return true;
    case InstrumentKey::toggleMute:
        toggleMute(instrument());
        return true;
    case InstrumentKey::toggleLeanFind:
        instrument().lean.toggle({.peakDrop = instrument().renderer.aircraft().leanPeakDrop});
        return true;
    case InstrumentKey::pauseReplay:
    case InstrumentKey::seekBack:
    case InstrumentKey::seekForward:
    case InstrumentKey::seekBackLong:
    case InstrumentKey::seekForwardLong:
    case InstrumentKey::replayFaster:
    case InstrumentKey::replaySlower:
    case InstrumentKey::replayToStart:
        return controlSource(key);
    case InstrumentKey::acknowledgeAlarms:
        return acknowledgeAlarms(instrument().alarms, instrument().renderer.alarms);
    case InstrumentKey::nextAlarm:
        return seekAlarm(true);
    case InstrumentKey::previousAlarm:
        return seekAlarm(false);
    default:
        return false;
    }
}
