#pragma once

#include "engine/Engine.h"

#include <array>
#include <cstdint>
#include <string_view>

// Engine record fields other than the single-precision values, by name, for
// --set. The float fields are listed beside the record itself.

struct SpreadField {
    std::string_view name;
    double (EngineState::*member)[6];
};

inline constexpr std::array<SpreadField, 2> spreadFields{{
    {"egtSpread", &EngineState::egtSpread},
    {"chtSpread", &EngineState::chtSpread},
}};

struct FlagField {
    std::string_view name;
    std::int32_t EngineState::*member;
};

inline constexpr std::array<FlagField, 2> flagFields{{
    {"demoMode", &EngineState::demoMode},
    {"muted", &EngineState::muted},
}};

inline constexpr std::string_view selectedCylinderField = "selectedCylinder";
