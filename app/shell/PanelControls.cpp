#include "app/shell/PanelControls.h"

#include "app/shell/Instrument.h"
#include "engine/Engine.h"
#include "panel/PanelArtwork.h"
#include "panel/PanelLayout.h"
#include "panel/PanelWindow.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

PanelRect knobArea(const PanelArtwork& artwork, std::size_t knob) {
    const KnobTravel& travel = knobTravels[knob];
    const ImageSize size = knobImageSize(artwork, knob);
    return {travel.left, travel.travelTop, travel.left + float(size.width),
            travel.travelBottom + float(size.height)};
}

// Panel y of a pointer. None before the first frame (scaleY 0) or for a
// client area with no height: such a pointer acts on nothing.
std::optional<double> panelY(const PanelView& view, int y) {
    if (!(view.scaleY > 0.0))
        return std::nullopt;
    const double py = double(y) / view.scaleY;
    if (!std::isfinite(py) || std::fabs(py) > 1e9)
        return std::nullopt;
    return py;
}

std::optional<int> wholePanelY(const PanelView& view, int y) {
    const std::optional<double> py = panelY(view, y);
    if (!py)
        return std::nullopt;
    return static_cast<int>(*py);
}

void pressKnob(Instrument& instrument, std::size_t knob, int y) {
    const std::optional<int> py = wholePanelY(instrument.view, y);
    const float top = knobTop(knobTravels[knob], instrument.engine);
    // A press above the knob, in the empty part of its travel, grabs nothing.
    if (!py || !(float(*py) > top))
        return;
    instrument.drag = {.control = static_cast<DragControl>(knob + 1),
                       .offset = static_cast<std::uint16_t>(float(*py) - top)};
}

void dragKnob(Instrument& instrument, std::size_t knob, int y) {
    const std::optional<int> py = wholePanelY(instrument.view, y);
    if (!py)
        return;
    const KnobTravel& travel = knobTravels[knob];
    // The grabbed point stays under the pointer until the knob meets a stop.
    const int top = std::clamp(*py - int(instrument.drag.offset), int(travel.travelTop),
                               int(travel.travelBottom));
    instrument.engine.*travel.position =
        1.0f - (float(top) - travel.travelTop) / travelLength(travel);
}

} // namespace

bool hitTest(Instrument& instrument, int x, int y, PanelRect area) {
    PanelView& view = instrument.view;
    if (view.window)
        view.client = view.window->readClientRect();
    const int w = view.client.width();
    const int h = view.client.height();
    const ImageSize panel = panelFrameSize(instrument.artwork);
    if (w <= 0 || h <= 0 || panel.width <= 0 || panel.height <= 0)
        return false;
    const float fx = float(x) / float(w);
    const float fy = float(y) / float(h);
    const float l = area.left / float(panel.width);
    const float r = area.right / float(panel.width);
    const float t = area.top / float(panel.height);
    const float b = area.bottom / float(panel.height);
    return l <= fx && fx <= r && t <= fy && fy <= b;
}

std::optional<std::size_t> knobColumnAt(Instrument& instrument, int x, int y) {
    for (std::size_t knob = 0; knob < knobTravels.size(); ++knob)
        if (hitTest(instrument, x, y, knobArea(instrument.artwork, knob)))
            return knob;
    return std::nullopt;
}

void updateCursor(Instrument& instrument, int x, int y, bool knobsDriveEngine) {
    PanelWindow* window = instrument.view.window;
    if (!window)
        return;
    // Knobs and Demo Mode act only while they drive the engine.
    for (std::size_t knob = 0; knob < knobTravels.size(); ++knob) {
        if (hitTest(instrument, x, y, knobArea(instrument.artwork, knob))) {
            const std::optional<double> py = panelY(instrument.view, y);
            window->setHandCursor(knobsDriveEngine && py &&
                                  *py > knobTop(knobTravels[knob], instrument.engine));
            return;
        }
    }
    window->setHandCursor(
        hitTest(instrument, x, y, cylinderButton) || hitTest(instrument, x, y, muteCheckBox) ||
        (instrument.renderer.alarms.count > 0 && hitTest(instrument, x, y, statusBarArea)) ||
        (knobsDriveEngine && hitTest(instrument, x, y, demoModeCheckBox)));
}

void stepSelectedCylinder(Instrument& instrument) {
    EngineState& engine = instrument.engine;
    const int cylinders = std::clamp(instrument.renderer.aircraft().cylinders, 1, 6);
    engine.selectedCylinder = std::uint8_t((engine.selectedCylinder + 1) % cylinders);
}

void toggleMute(Instrument& instrument) {
    EngineState& engine = instrument.engine;
    if (!engine.demoMode) // demo mode runs silent whatever Mute says
        engine.muted = 1 - engine.muted;
}

void toggleDemoMode(Instrument& instrument, bool knobsDriveEngine) {
    if (!knobsDriveEngine)
        return; // a log or a simulator owns the engine values
    instrument.engine.demoMode = 1 - instrument.engine.demoMode;
    resetEngineState(instrument.engine); // both entering and leaving restart from the start values
}

void pressLeftButton(Instrument& instrument, int x, int y, bool knobsDriveEngine) {
    updateCursor(instrument, x, y, knobsDriveEngine);
    if (hitTest(instrument, x, y, cylinderButton)) {
        stepSelectedCylinder(instrument);
        return;
    }
    for (std::size_t knob = 0; knob < knobTravels.size(); ++knob) {
        if (hitTest(instrument, x, y, knobArea(instrument.artwork, knob))) {
            if (knobsDriveEngine)
                pressKnob(instrument, knob, y);
            return;
        }
    }
    if (hitTest(instrument, x, y, muteCheckBox)) {
        toggleMute(instrument);
        return;
    }
    if (hitTest(instrument, x, y, demoModeCheckBox)) {
        toggleDemoMode(instrument, knobsDriveEngine);
        return;
    }
    if (hitTest(instrument, x, y, statusBarArea))
        acknowledgeAlarms(instrument.alarms, instrument.renderer.alarms);
}

void movePointer(Instrument& instrument, int x, int y, bool leftButtonHeld, bool knobsDriveEngine) {
    updateCursor(instrument, x, y, knobsDriveEngine);
    if (leftButtonHeld && instrument.drag.control != DragControl::none)
        dragKnob(instrument, std::size_t(instrument.drag.control) - 1, y);
    else
        instrument.drag.control = DragControl::none;
}

void releaseLeftButton(Instrument& instrument, int x, int y, bool knobsDriveEngine) {
    updateCursor(instrument, x, y, knobsDriveEngine);
    instrument.drag.control = DragControl::none;
}
