#pragma once

#include "engine/Engine.h"

#include <array>
#include <string_view>

// The engine record's single-precision fields by name, in record order: for
// tools that set a chosen engine state and for tests that walk every value.
struct EngineFloatField {
    std::string_view name;
    float EngineState::*member;
};

inline constexpr std::array<EngineFloatField, 19> engineFloatFields{{
    {"fuelFlow", &EngineState::fuelFlow},
    {"leftFuel", &EngineState::leftFuel},
    {"leftCapacity", &EngineState::leftCapacity},
    {"rightFuel", &EngineState::rightFuel},
    {"rightCapacity", &EngineState::rightCapacity},
    {"oilTemp", &EngineState::oilTemp},
    {"oilPressure", &EngineState::oilPressure},
    {"fuelPressure", &EngineState::fuelPressure},
    {"volts", &EngineState::volts},
    {"amps", &EngineState::amps},
    {"oat", &EngineState::oat},
    {"rpm", &EngineState::rpm},
    {"manifoldPressure", &EngineState::manifoldPressure},
    {"egtRankine", &EngineState::egtRankine},
    {"cht", &EngineState::cht},
    {"torque", &EngineState::torque},
    {"throttle", &EngineState::throttle},
    {"propeller", &EngineState::propeller},
    {"mixture", &EngineState::mixture},
}};

// The first sixteen are the engine values the model, the sweep and the reset write.
inline constexpr std::size_t engineValueCount = 16;
static_assert(engineValueCount <= engineFloatFields.size());

inline constexpr const EngineFloatField* findEngineFloatField(std::string_view name) {
    for (const EngineFloatField& field : engineFloatFields)
        if (field.name == name)
            return &field;
    return nullptr;
}
