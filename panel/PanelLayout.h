#pragma once

#include "engine/Engine.h"
#include "engine/TableChecks.h"

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

// Three push-pull engine controls; drawing and hit-testing order: throttle,
// propeller, mixture.
inline constexpr std::size_t knobCount = 3;
inline constexpr auto knobTravels = std::to_array<KnobTravel>({
    {.position = &EngineState::throttle, .left = 139, .travelTop = 718, .travelBottom = 805},
    {.position = &EngineState::propeller, .left = 318, .travelTop = 700, .travelBottom = 753},
    {.position = &EngineState::mixture, .left = 488, .travelTop = 700, .travelBottom = 753},
});
static_assert(knobTravels.size() == knobCount);
static_assert(noNullPointers(knobTravels, &KnobTravel::position));

inline float travelLength(const KnobTravel& knob) {
    return knob.travelBottom - knob.travelTop;
}

// The knob's top edge for its position in `engine`, at a fractional height.
inline float knobTop(const KnobTravel& knob, const EngineState& engine) {
    return knob.travelTop + travelLength(knob) * (1.0f - engine.*knob.position);
}

// The lamp that marks the knob the keys move, left of each placard
// (THROTTLE, PROP, MIXTURE), in panel order.
struct KnobLampPosition {
    float centreX;
    float centreY;
};
inline constexpr auto knobLamps = std::to_array<KnobLampPosition>({
    {.centreX = 153, .centreY = 940},
    {.centreX = 345, .centreY = 889},
    {.centreX = 504, .centreY = 889},
});
static_assert(knobLamps.size() == knobCount);

struct PanelPoint {
    float x;
    float y;
};

inline constexpr PanelPoint muteCheckMark{.x = 678, .y = 912};
inline constexpr PanelPoint demoModeCheckMark{.x = 527, .y = 912};

// The monitor screen: its origin on the panel and the size it is clipped to.
inline constexpr PanelPoint screenOrigin{.x = 50, .y = 45};
inline constexpr int screenWidth = 630;
inline constexpr int screenHeight = 483;
