#pragma once

#include "app/shell/InstrumentAlarms.h"
#include "app/shell/PanelControls.h"
#include "engine/Engine.h"
#include "engine/ModelSource.h"
#include "leanfind/LeanSearch.h"
#include "panel/KnobMark.h"
#include "panel/PanelArtwork.h"
#include "panel/PanelScene.h"
#include "panel/PanelWindow.h"
#include "screen/ScreenRenderer.h"
#include "sound/AlarmChime.h"
#include "sound/EngineSound.h"

// Everything the instrument keeps from one tick to the next, in one owner:
// each layer defines its own piece and is handed only that piece. State the
// instrument comes to keep later belongs here too, never in a global. The
// controller owns the one the program runs; tools, benchmarks and tests may
// make their own.
struct Instrument {
    // The one engine record every part of the instrument meets in.
    EngineState engine;
    // The instrument's own engine source, with what the model keeps between ticks.
    ModelSource model;
    SoundOutput sound;
    // Off unless a profile or --alarms turns them on; the chime sounds only then.
    AlarmWatch alarms;
    AlarmChime chime;
    DragState drag;
    KnobChoice knobChoice;
    PanelArtwork artwork;
    PanelView view;
    // Started and stopped by the shell, drawn by every frame.
    ScreenRenderer renderer;
    // On from the pilot's L to the next.
    LeanSearch lean;
};

// The pieces a panel frame is drawn from.
inline PanelScene panelScene(const Instrument& instrument) {
    return {.artwork = instrument.artwork,
            .knobChoice = instrument.knobChoice,
            .renderer = instrument.renderer,
            .engine = instrument.engine};
}
