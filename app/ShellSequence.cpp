#include "app/ShellSequence.h"

#include "app/PanelControls.h"
#include "engine/EngineModel.h"
#include "panel/FrameCompositor.h"
#include "panel/PanelWindow.h"
#include "resources/Resources.h"
#include "sound/EngineSound.h"

namespace {
bool running = false;
}

bool shellRunning() {
    return running;
}

void startShell(ShellPlatform& platform) {
    // Keeps the loop in soundBuffer and its rate in soundBaseFrequency, or
    // leaves the instrument silent when there is no device or no recording.
    loadEngineSound(zentor::engineSoundWave);

    // Throttle pulled fully out, propeller and mixture pushed fully in.
    engineState.throttle = 0.0f;
    engineState.mixture = 1.0f;
    engineState.propeller = 1.0f;
    dragControl = DragControl::none;

    panelWindow = platform.frameSurface();
    screenRenderer.initialise();
    platform.setFrameComposer(composeFrameFor);
    platform.startFrameTimer(frameTimerPeriodMs);
    running = true;
}

void stepInstrument() {
    updateEngineSound();
    stepEngine();
}

void tickFrameTimer() {
    stepInstrument();
    composeFrame();
}

void closeShell(ShellPlatform& platform) {
    if (!running)
        return;
    running = false;
    platform.setFrameComposer({});
    screenRenderer.release();
    platform.stopFrameTimer();
    releaseEngineSound();
    panelWindow = nullptr;
    platform.closeWindow();
}

void resetWindowSize(ShellPlatform& platform) {
    platform.resizeWindow(resetWindowWidth, resetWindowHeight);
}
