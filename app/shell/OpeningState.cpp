#include "app/shell/OpeningState.h"

#include "app/shell/Instrument.h"
#include "engine/EngineModel.h"
#include "panel/PanelWindow.h"

void setOpeningState(Instrument& instrument, std::uint32_t spreadSeed) {
    instrument.engine = EngineState{};
    generateCylinderSpreadsFromSeed(instrument.engine, spreadSeed);
    instrument.model.sweep = DemoSweep{};
    instrument.drag = {};
    instrument.view.client = ClientRect{};
    instrument.view.scaleY = 0.0;
    instrument.knobChoice = KnobChoice{};
    instrument.lean = LeanSearch{};
    instrument.renderer.lean.reset();
}
