#pragma once

#include <cstdint>

// A part of the screen whose drawing falls in two layers: first what stays
// the same from tick to tick (a dial's face, a scale, axes and labels), then
// what follows the readings (needles, readouts, bars). A kept frame keeps
// the pixels of the first and draws only the second over them again.
enum class PartLayers : std::uint8_t { whole, fixed, moving };
