#pragma once

#include "engine/Engine.h"
#include "engine/TableChecks.h"

#include <array>
#include <cstdint>
#include <string_view>

// Engine record fields other than the single-precision values, by name, for
// --set. The float fields are listed beside the record itself.

struct SpreadField {
    std::string_view name;
    double (EngineState::*member)[6];
};

inline constexpr std::size_t spreadFieldCount = 2; // EGT and CHT
inline constexpr auto spreadFields = std::to_array<SpreadField>({
    {.name = "egtSpread", .member = &EngineState::egtSpread},
    {.name = "chtSpread", .member = &EngineState::chtSpread},
});
static_assert(spreadFields.size() == spreadFieldCount &&
              noNullPointers(spreadFields, &SpreadField::member));

struct FlagField {
    std::string_view name;
    std::int32_t EngineState::*member;
};

inline constexpr std::size_t flagFieldCount = 2; // the two check boxes
inline constexpr auto flagFields = std::to_array<FlagField>({
    {.name = "demoMode", .member = &EngineState::demoMode},
    {.name = "muted", .member = &EngineState::muted},
});
static_assert(flagFields.size() == flagFieldCount &&
              noNullPointers(flagFields, &FlagField::member));

inline constexpr std::string_view selectedCylinderField = "selectedCylinder";
