#include "app/shell/KnobKeys.h"

#include "app/shell/Instrument.h"
#include "app/shell/PanelControls.h"
#include "engine/Engine.h"
#include "panel/PanelLayout.h"

#include <algorithm>

namespace {

// Moves a knob along its travel, counted in panel pixels from fully in.
void moveKnob(EngineState& engine, std::size_t knob, double travelPixels) {
    const KnobTravel& travel = knobTravels[knob];
    const double length = travelLength(travel);
    const double fromTop = (1.0 - double(engine.*travel.position)) * length;
    const double moved = std::clamp(fromTop - travelPixels, 0.0, length);
    engine.*travel.position = float(1.0 - moved / length);
}

} // namespace

bool chooseKnob(Instrument& instrument, std::size_t knob, bool knobsDriveEngine) {
    if (!knobsDriveEngine || knob >= knobTravels.size())
        return false;
    instrument.knobChoice = {.knob = knob, .marked = true};
    return true;
}

bool moveChosenKnob(Instrument& instrument, double travelPixels, bool knobsDriveEngine) {
    if (!knobsDriveEngine)
        return false;
    instrument.knobChoice.marked = true;
    moveKnob(instrument.engine, instrument.knobChoice.knob, travelPixels);
    return true;
}

bool moveChosenKnobByTenths(Instrument& instrument, int tenths, bool knobsDriveEngine) {
    return moveChosenKnob(instrument,
                          travelLength(knobTravels[instrument.knobChoice.knob]) * tenths / 10.0,
                          knobsDriveEngine);
}

bool turnKnobAt(Instrument& instrument, int x, int y, int notches, bool knobsDriveEngine) {
    if (!knobsDriveEngine)
        return false;
    const std::optional<std::size_t> knob = knobColumnAt(instrument, x, y);
    if (!knob)
        return false;
    moveKnob(instrument.engine, *knob, notches);
    return true;
}
