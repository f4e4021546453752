#include "app/shell/KnobKeys.h"

#include "app/shell/PanelControls.h"
#include "engine/Engine.h"
#include "panel/KnobMark.h"
#include "panel/PanelLayout.h"

#include <algorithm>

namespace {

// Moves a knob along its travel, counted in panel pixels from fully in.
void moveKnob(std::size_t knob, double travelPixels) {
    const KnobTravel& travel = knobTravels[knob];
    const double length = travelLength(travel);
    const double fromTop = (1.0 - double(engineState.*travel.position)) * length;
    const double moved = std::clamp(fromTop - travelPixels, 0.0, length);
    engineState.*travel.position = float(1.0 - moved / length);
}

} // namespace

bool chooseKnob(std::size_t knob, bool knobsDriveEngine) {
    if (!knobsDriveEngine || knob >= knobTravels.size())
        return false;
    knobChoice = {.knob = knob, .marked = true};
    return true;
}

bool moveChosenKnob(double travelPixels, bool knobsDriveEngine) {
    if (!knobsDriveEngine)
        return false;
    knobChoice.marked = true;
    moveKnob(knobChoice.knob, travelPixels);
    return true;
}

bool moveChosenKnobByTenths(int tenths, bool knobsDriveEngine) {
    return moveChosenKnob(travelLength(knobTravels[knobChoice.knob]) * tenths / 10.0,
                          knobsDriveEngine);
}

bool turnKnobAt(Instrument& instrument, int x, int y, int notches, bool knobsDriveEngine) {
    if (!knobsDriveEngine)
        return false;
    const std::optional<std::size_t> knob = knobColumnAt(instrument, x, y);
    if (!knob)
        return false;
    moveKnob(*knob, notches);
    return true;
}
