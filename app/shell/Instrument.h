#pragma once

#include "app/shell/PanelControls.h"
#include "sound/EngineSound.h"

// Everything the instrument keeps from one tick to the next, in one owner:
// each layer defines its own piece and is handed only that piece.
struct Instrument {
    SoundOutput sound;
    DragState drag;
};
