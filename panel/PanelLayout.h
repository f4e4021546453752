#pragma once

#include "engine/Engine.h"

#include <array>

// Where things sit on the 750 x 945 panel artwork, in panel pixels (origin
// top-left, y down). The compositor draws from these rows and the panel
// controls hit-test against them, so both always agree.

// The panel artwork's size, which every position below is measured in.
inline constexpr int panelWidth = 750;
inline constexpr int panelHeight = 945;

struct KnobTravel {
    float EngineState::*position; // 0 pulled fully out .. 1 pushed fully in
    float left;
    float travelTop;    // knob top when pushed fully in
    float travelBottom; // knob top when pulled fully out
};

// Drawing and hit-testing order: throttle, propeller, mixture.
inline constexpr std::array<KnobTravel, 3> knobTravels{{
    {&EngineState::throttle, 139, 718, 805},
    {&EngineState::propeller, 318, 700, 753},
    {&EngineState::mixture, 488, 700, 753},
}};
static_assert(knobTravels.size() == 3, "three push-pull engine controls");

inline float travelLength(const KnobTravel& knob) {
    return knob.travelBottom - knob.travelTop;
}

// The knob's top edge for its position, at a fractional height.
inline float knobTop(const KnobTravel& knob) {
    return knob.travelTop + travelLength(knob) * (1.0f - engineState.*knob.position);
}

struct PanelPoint {
    float x;
    float y;
};

inline constexpr PanelPoint muteCheckMark{678, 912};
inline constexpr PanelPoint demoModeCheckMark{527, 912};

// The monitor screen: its origin on the panel and the size it is clipped to.
inline constexpr PanelPoint screenOrigin{50, 45};
inline constexpr int screenWidth = 630;
inline constexpr int screenHeight = 483;
