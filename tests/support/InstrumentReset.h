#pragma once

#include <cstdint>

// The cylinder spreads tests draw, where the program draws from the calendar.
inline constexpr std::uint32_t testSpreadSeed = 1;

// The one reset every fixture starts from: the instrument in its opening
// state (engine, knobs, check boxes, drag, scale, sweep directions) with the
// test seed's cylinder spreads.
void resetInstrument();
