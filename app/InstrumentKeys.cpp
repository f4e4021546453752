#include "app/InstrumentKeys.h"

#include "app/KnobKeys.h"
#include "app/PanelControls.h"
#include "app/ShellSequence.h"

bool pressInstrumentKey(InstrumentKey key, ShellPlatform& platform) {
    if (!shellRunning())
        return false;
    switch (key) {
    case InstrumentKey::chooseThrottle:
        return chooseKnob(0);
    case InstrumentKey::choosePropeller:
        return chooseKnob(1);
    case InstrumentKey::chooseMixture:
        return chooseKnob(2);
    case InstrumentKey::knobIn:
        return moveChosenKnob(1);
    case InstrumentKey::knobOut:
        return moveChosenKnob(-1);
    case InstrumentKey::knobInTenth:
        return moveChosenKnobByTenths(1);
    case InstrumentKey::knobOutTenth:
        return moveChosenKnobByTenths(-1);
    case InstrumentKey::toggleFullscreen:
        return platform.toggleFullscreen();
    case InstrumentKey::stepCylinder:
        stepSelectedCylinder();
        return true;
    case InstrumentKey::toggleDemoMode:
        toggleDemoMode();
        return true;
    case InstrumentKey::toggleMute:
        toggleMute();
        return true;
    default:
        return false;
    }
}
