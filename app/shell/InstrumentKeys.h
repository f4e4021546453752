#pragma once

#include <cstdint>

class WindowInterface;

// What the keyboard does on the instrument, whatever key the window system
// delivers it with (the window layer's key table maps keys to these).
enum class InstrumentKey : std::uint8_t {
    chooseThrottle, // the knob the arrow and page keys move
    choosePropeller,
    chooseMixture,
    knobIn, // one pixel of the chosen knob's travel
    knobOut,
    knobInTenth, // a tenth of its travel
    knobOutTenth,
    stepCylinder, // as the bezel button
    toggleDemoMode,
    toggleMute,
    toggleFullscreen,
    pauseReplay, // a replayed log: pause and resume
    seekBack,    // 10 s
    seekForward,
    seekBackLong, // 60 s
    seekForwardLong,
    replayFaster, // double the speed
    replaySlower, // halve it
    replayToStart,
    acknowledgeAlarms, // the warnings up stop flashing and chiming
    nextAlarm,         // replay: to the next alarm's start
    previousAlarm,
    toggleLeanFind, // follow each cylinder's EGT to its peak, and leave
};

// Acts on a key the window passed on; false when the instrument has no use
// for it now (the window then leaves it to the window system).
bool pressInstrumentKey(InstrumentKey key, WindowInterface& platform);
