#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The panel is a picture: its knobs, the cylinder-step button and the two
// check boxes exist only as rectangles in panel pixels. These handlers turn
// the left button and pointer movement (client pixels) into changes of the
// engine record's controls, flags and selected cylinder.

struct Instrument;

enum class DragControl : std::uint8_t { none = 0, throttle = 1, propeller = 2, mixture = 3 };

// The knob the left button holds, if any.
struct DragState {
    DragControl control = DragControl::none;
    // Panel pixels from the knob's top edge down to where the drag began.
    std::uint16_t offset = 0;
};

// An area of the panel, edges included.
struct PanelRect {
    float left;
    float top;
    float right;
    float bottom;
};

inline constexpr PanelRect cylinderButton{.left = 127, .top = 580, .right = 166, .bottom = 623};
inline constexpr PanelRect muteCheckBox{.left = 673, .top = 908, .right = 742, .bottom = 935};
inline constexpr PanelRect demoModeCheckBox{.left = 524, .top = 910, .right = 646, .bottom = 934};
// The screen's status bar (its bottom 18 rows) as it lies on the panel: a
// click there acknowledges the alarms.
inline constexpr PanelRect statusBarArea{.left = 50, .top = 510, .right = 679, .bottom = 527};

// Whether client point (x, y) lies in the panel rectangle, compared by its
// fraction of the client area so the panel's stretch is undone exactly.
bool hitTest(Instrument& instrument, int x, int y, PanelRect area);

// The knob (panel order) whose whole travel column, from fully in to fully
// out, holds client point (x, y).
std::optional<std::size_t> knobColumnAt(Instrument& instrument, int x, int y);

// What the cylinder button and the two check boxes do, by mouse or by key.
// The button steps through the aircraft's cylinders, 4 or 6.
// `knobsDriveEngine`: whether the engine source follows the controls, as the
// caller knows it; these handlers never ask the controller.
// While a log or a simulator drives the engine, Demo Mode stays as it is.
void stepSelectedCylinder(Instrument& instrument);
void toggleMute(Instrument& instrument);
void toggleDemoMode(Instrument& instrument, bool knobsDriveEngine);

// A press on a knob grabs it only while the knobs drive the engine.
void pressLeftButton(Instrument& instrument, int x, int y, bool knobsDriveEngine);
void movePointer(Instrument& instrument, int x, int y, bool leftButtonHeld, bool knobsDriveEngine);
void releaseLeftButton(Instrument& instrument, int x, int y, bool knobsDriveEngine);
// The hand wherever a click would act, the arrow elsewhere.
void updateCursor(Instrument& instrument, int x, int y, bool knobsDriveEngine);
