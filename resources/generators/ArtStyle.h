#pragma once

#include <QRgb>

namespace zentor::art {

// Colours that two pictures must agree on.

// The matte lower panel the knobs ride over: the knobs' anti-aliased edges and
// shadows are blended against exactly this colour, so keying white out of a
// knob leaves no fringe.
inline constexpr QRgb lowerPanelColour = qRgb(47, 49, 53);

// Inside of the two check boxes: the check mark's edges are blended against it.
inline constexpr QRgb checkBoxInterior = qRgb(226, 228, 224);

// Dark tick of the check mark.
inline constexpr QRgb checkMarkInk = qRgb(22, 22, 26);

// Painted placard lettering: light grey, easy to read under cockpit light.
inline constexpr QRgb placardInk = qRgb(232, 232, 226);

// What the compositor keys out of knobs and check marks.
inline constexpr QRgb keyWhite = qRgb(255, 255, 255);

} // namespace zentor::art
