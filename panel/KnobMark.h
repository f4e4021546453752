#pragma once

#include <cstddef>

// The knob the arrow and page keys move (panel order: throttle, propeller,
// mixture) and whether a key has been used yet. Until one has, no mark is
// drawn and every frame is as it always was; from then on a small lamp by
// the chosen knob's placard shows which knob the keys move.
struct KnobChoice {
    std::size_t knob = 0;
    bool marked = false;
};
