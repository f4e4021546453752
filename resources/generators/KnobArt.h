#pragma once

#include <QImage>

#include <cstddef>

namespace zentor::art {

// The three push-pull knobs seen face on, lit from above, with white round
// them: throttle (smooth black), propeller (blue, ridged rim) and mixture
// (red, fluted rim), in full colour before their palettes are chosen.
enum class Knob { throttle, propeller, mixture };
inline constexpr std::size_t knobCount = 3;

QImage paintKnob(Knob knob);

} // namespace zentor::art
