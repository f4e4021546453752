#pragma once

#include "engine/Engine.h"
#include "engine/TableChecks.h"

#include <array>
#include <string_view>

// The engine record's single-precision fields by name, in record order: for
// tools that set a chosen engine state and for tests that walk every value.
struct EngineFloatField {
    std::string_view name;
    float EngineState::*member;
};

inline constexpr auto engineFloatFields = std::to_array<EngineFloatField>({
    {.name = "fuelFlow", .member = &EngineState::fuelFlow},
    {.name = "leftFuel", .member = &EngineState::leftFuel},
    {.name = "leftCapacity", .member = &EngineState::leftCapacity},
    {.name = "rightFuel", .member = &EngineState::rightFuel},
    {.name = "rightCapacity", .member = &EngineState::rightCapacity},
    {.name = "oilTemp", .member = &EngineState::oilTemp},
    {.name = "oilPressure", .member = &EngineState::oilPressure},
    {.name = "fuelPressure", .member = &EngineState::fuelPressure},
    {.name = "volts", .member = &EngineState::volts},
    {.name = "amps", .member = &EngineState::amps},
    {.name = "oat", .member = &EngineState::oat},
    {.name = "rpm", .member = &EngineState::rpm},
    {.name = "manifoldPressure", .member = &EngineState::manifoldPressure},
    {.name = "egtRankine", .member = &EngineState::egtRankine},
    {.name = "cht", .member = &EngineState::cht},
    {.name = "torque", .member = &EngineState::torque},
    {.name = "throttle", .member = &EngineState::throttle},
    {.name = "propeller", .member = &EngineState::propeller},
    {.name = "mixture", .member = &EngineState::mixture},
});

// The first sixteen are the engine values the model, the sweep and the reset
// write; the three knob positions follow them.
inline constexpr std::size_t engineValueCount = 16;
inline constexpr std::size_t engineFloatFieldCount = engineValueCount + 3;
static_assert(engineFloatFields.size() == engineFloatFieldCount);
static_assert(noNullPointers(engineFloatFields, &EngineFloatField::member));

inline constexpr const EngineFloatField* findEngineFloatField(std::string_view name) {
    for (const EngineFloatField& field : engineFloatFields)
        if (field.name == name)
            return &field;
    return nullptr;
}
