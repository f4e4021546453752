#pragma once

// The instrument's controller: the shell's sequences, in the order the
// instrument needs them, over the few things they ask of the window system.

#include "panel/PanelWindow.h"

class AlarmStartScan;
class EngineSource;
class SessionRecording;
struct Instrument;

#include <cstdint>
#include <string>

class WindowInterface {
public:
    virtual ~WindowInterface() = default;
    virtual void startFrameTimer(int periodMs) = 0;
    virtual void stopFrameTimer() = 0;
    // Hides the window and ends the program's run of it.
    virtual void closeWindow() = 0;
    // Outer size, caption and border included.
    virtual void resizeWindow(int width, int height) = 0;
    // The client area every frame is drawn into.
    virtual PanelWindow* frameSurface() = 0;
    // How the client area makes a frame when it must paint before the next
    // tick; an empty composer once the shell has closed.
    virtual void setFrameComposer(FrameComposer composeNow) = 0;
    // What the caption says beside the title (a replay's position, a
    // simulator awaited, a recording that stopped); empty: the title alone.
    virtual void showStatus(const std::string& status) = 0;
    // F11: fullscreen on or off; false where the platform has no screen to fill.
    virtual bool toggleFullscreen() { return false; }
};

// One model step per tick: the timer period is the model's time step.
inline constexpr int frameTimerPeriodMs = 65;
// A double click on the caption or the border restores this outer size.
inline constexpr int resetWindowWidth = 586;
inline constexpr int resetWindowHeight = 822;

// Window opened: engine sound, the opening state with the cylinder spreads
// from `spreadSeed`, frame surface, renderer, timer.
void startShell(WindowInterface& platform, std::uint32_t spreadSeed);
// One timer tick: the instrument's step, the caption's status when it
// changed, then the frame.
void tickFrameTimer();
// A tick without its frame: the engine sound follows the rpm the previous
// tick left (or falls silent), the engine source steps, the alarms, when on,
// judge it and the chime follows them, then the recording, if any, takes
// the tick.
void stepInstrument();
// Where the engine values come from from the next tick on: the model
// (the instrument's model) until another source is set; null sets the model again.
void setEngineSource(EngineSource* source);
EngineSource& engineSource();
// Records every tick from the next on; null: none. Once it fails, the
// caption says why beside the source's status.
void setSessionRecording(SessionRecording* recording);
// Where N and P find a replayed log's alarm starts, once it has them; null: none.
void setAlarmStartScan(AlarmStartScan* scan);
// Close button, window close request or Escape: renderer, timer, sound, window.
void closeShell(WindowInterface& platform);
void resetWindowSize(WindowInterface& platform);
// Whether the shell is between start-up and close.
bool shellRunning();
// The state the shell runs: the one owner of what outlives a tick.
Instrument& instrument();
