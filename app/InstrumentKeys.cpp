#include "app/InstrumentKeys.h"

#include "app/PanelControls.h"
#include "app/ShellSequence.h"

bool pressInstrumentKey(InstrumentKey key, ShellPlatform&) {
    if (!shellRunning())
        return false;
    switch (key) {
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
