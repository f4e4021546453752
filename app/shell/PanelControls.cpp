#include "app/shell/PanelControls.h"

#include "engine/Engine.h"
#include "panel/PanelArtwork.h"
#include "panel/PanelLayout.h"
#include "panel/PanelWindow.h"

#include <algorithm>
#include <cmath>
#include <optional>

DragControl dragControl = DragControl::none;
std::uint16_t dragOffset = 0;

namespace {

PanelRect knobArea(std::size_t knob) {
    const KnobTravel& travel = knobTravels[knob];
    const ImageSize size = knobImageSize(knob);
    return {travel.left, travel.travelTop, travel.left + float(size.width),
            travel.travelBottom + float(size.height)};
}

// Panel y of a pointer. None before the first frame (scaleY 0) or for a
// client area with no height: such a pointer acts on nothing.
std::optional<double> panelY(int y) {
    if (!(scaleY > 0.0))
        return std::nullopt;
    const double py = double(y) / scaleY;
    if (!std::isfinite(py) || std::fabs(py) > 1e9)
        return std::nullopt;
    return py;
}

std::optional<int> wholePanelY(int y) {
    const std::optional<double> py = panelY(y);
    if (!py)
        return std::nullopt;
    return static_cast<int>(*py);
}

void pressKnob(std::size_t knob, int y) {
    const std::optional<int> py = wholePanelY(y);
    const float top = knobTop(knobTravels[knob]);
    // A press above the knob, in the empty part of its travel, grabs nothing.
    if (!py || !(float(*py) > top))
        return;
    dragControl = static_cast<DragControl>(knob + 1);
    dragOffset = static_cast<std::uint16_t>(float(*py) - top);
}

void dragKnob(std::size_t knob, int y) {
    const std::optional<int> py = wholePanelY(y);
    if (!py)
        return;
    const KnobTravel& travel = knobTravels[knob];
    // The grabbed point stays under the pointer until the knob meets a stop.
    const int top =
        std::clamp(*py - int(dragOffset), int(travel.travelTop), int(travel.travelBottom));
    engineState.*travel.position = 1.0f - (float(top) - travel.travelTop) / travelLength(travel);
}

} // namespace

bool hitTest(int x, int y, PanelRect area) {
    if (panelWindow)
        clientRect = panelWindow->readClientRect();
    const int w = clientRect.width();
    const int h = clientRect.height();
    const ImageSize panel = panelFrameSize();
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

std::optional<std::size_t> knobColumnAt(int x, int y) {
    for (std::size_t knob = 0; knob < knobTravels.size(); ++knob)
        if (hitTest(x, y, knobArea(knob)))
            return knob;
    return std::nullopt;
}

void updateCursor(int x, int y, bool knobsDriveEngine) {
    if (!panelWindow)
        return;
    // Knobs and Demo Mode act only while they drive the engine.
    for (std::size_t knob = 0; knob < knobTravels.size(); ++knob) {
        if (hitTest(x, y, knobArea(knob))) {
            const std::optional<double> py = panelY(y);
            panelWindow->setHandCursor(knobsDriveEngine && py && *py > knobTop(knobTravels[knob]));
            return;
        }
    }
    panelWindow->setHandCursor(hitTest(x, y, cylinderButton) || hitTest(x, y, muteCheckBox) ||
                               (knobsDriveEngine && hitTest(x, y, demoModeCheckBox)));
}

void stepSelectedCylinder() {
    engineState.selectedCylinder = std::uint8_t((engineState.selectedCylinder + 1) % 6);
}

void toggleMute() {
    if (!engineState.demoMode) // demo mode runs silent whatever Mute says
        engineState.muted = 1 - engineState.muted;
}

void toggleDemoMode(bool knobsDriveEngine) {
    if (!knobsDriveEngine)
        return; // a log or a simulator owns the engine values
    engineState.demoMode = 1 - engineState.demoMode;
    resetEngineState(); // both entering and leaving restart from the start values
}

void pressLeftButton(int x, int y, bool knobsDriveEngine) {
    updateCursor(x, y, knobsDriveEngine);
    if (hitTest(x, y, cylinderButton)) {
        stepSelectedCylinder();
        return;
    }
    for (std::size_t knob = 0; knob < knobTravels.size(); ++knob) {
        if (hitTest(x, y, knobArea(knob))) {
            if (knobsDriveEngine)
                pressKnob(knob, y);
            return;
        }
    }
    if (hitTest(x, y, muteCheckBox)) {
        toggleMute();
        return;
    }
    if (hitTest(x, y, demoModeCheckBox))
        toggleDemoMode(knobsDriveEngine);
}

void movePointer(int x, int y, bool leftButtonHeld, bool knobsDriveEngine) {
    updateCursor(x, y, knobsDriveEngine);
    if (leftButtonHeld && dragControl != DragControl::none)
        dragKnob(std::size_t(dragControl) - 1, y);
    else
        dragControl = DragControl::none;
}

void releaseLeftButton(int x, int y, bool knobsDriveEngine) {
    updateCursor(x, y, knobsDriveEngine);
    dragControl = DragControl::none;
}
