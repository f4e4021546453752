#include "app/shell/OpeningState.h"

#include "app/shell/PanelControls.h"
#include "engine/EngineModel.h"
#include "panel/KnobMark.h"
#include "panel/PanelWindow.h"

void setOpeningState(std::uint32_t spreadSeed) {
    engineState = EngineState{};
    generateCylinderSpreadsFromSeed(spreadSeed);
    resetSweepDirections();
    dragControl = DragControl::none;
    dragOffset = 0;
    clientRect = ClientRect{};
    scaleY = 0.0;
    knobChoice = KnobChoice{};
}
