#pragma once

#include <cstddef>

struct Instrument;

// The knobs without dragging: keys choose a knob and move it, a wheel (or a
// rotary encoder, which Linux reports as one) moves the knob under the
// pointer. None of them acts while a log or a simulator drives the engine:
// `knobsDriveEngine` says whether the engine source follows the controls.

// Keys 1, 2, 3: the knob the other keys move, in panel order (throttle,
// propeller, mixture). The chosen knob is marked from then on.
bool chooseKnob(Instrument& instrument, std::size_t knob, bool knobsDriveEngine);
// Up and Down (one pixel of the chosen knob's travel), Page Up and Page Down
// (a tenth of it): positive pushes in. The position stays within 0..1.
bool moveChosenKnob(Instrument& instrument, double travelPixels, bool knobsDriveEngine);
bool moveChosenKnobByTenths(Instrument& instrument, int tenths, bool knobsDriveEngine);
// Wheel notches over the knob whose travel holds client point (x, y): one
// pixel of travel per notch, positive (wheel up) pushing it in.
bool turnKnobAt(Instrument& instrument, int x, int y, int notches, bool knobsDriveEngine);
