#pragma once

#include <cstdint>

struct Instrument;

// Puts the instrument into the state the window opens in: the engine at its
// start values with the knobs where the window opens them (throttle pulled
// fully out, propeller and mixture pushed fully in), both check boxes clear,
// cylinder 1 boxed, every demo sweep rising, no knob grabbed, no pointer
// scale until the first frame, and the cylinder spreads drawn from
// `spreadSeed` (the program seeds from the calendar; tools and tests choose).
void setOpeningState(Instrument& instrument, std::uint32_t spreadSeed);
