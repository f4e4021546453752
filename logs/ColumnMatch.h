#pragma once

#include "engine/EngineSample.h"
#include "engine/Units.h"
#include "logs/ColumnNames.h"
#include "logs/QuantityAliases.h"
#include "logs/TimeColumns.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// What one header cell names: an engine quantity (with the conversion from
// the column's unit into the screen's), a time column, or nothing we read.
struct ColumnMatch {
    enum class Kind : std::uint8_t { none, quantity, time };
    Kind kind = Kind::none;
    Quantity quantity = Quantity::rpm;
    TimeKind time = TimeKind::elapsed;
    TimeClock clock = TimeClock::unnamed; // a date's or a time of day's
    UnitConversion conversion;            // into the screen's unit; elapsed time: into seconds
    std::size_t preference = 0;           // the alias row: the lower wins a quantity named twice
};

// The quantity alias in row `row`, with the unit a header gives (or none).
constexpr ColumnMatch matchQuantity(std::size_t row, std::string_view unitText) {
    const QuantityAlias& alias = quantityAliases[row];
    const auto given = unitBySpelling(unitKey(unitText).view());
    if (!unitText.empty() &&
        (!given || unitRow(*given).dimension != quantityRow(alias.quantity).dimension))
        return {};
    const Unit unit = unitText.empty() ? impliedUnit(alias) : *given;
    return {.kind = ColumnMatch::Kind::quantity,
            .quantity = alias.quantity,
            .time = TimeKind::elapsed,
            .clock = TimeClock::unnamed,
            .conversion = toScreen(alias.quantity, unit),
            .preference = row};
}

constexpr ColumnMatch matchTime(std::size_t row, std::string_view unitText) {
    const TimeAlias& alias = timeAliases[row];
    ColumnMatch match{.kind = ColumnMatch::Kind::time,
                      .quantity = Quantity::rpm,
                      .time = alias.kind,
                      .clock = alias.clock,
                      .conversion = {},
                      .preference = row};
    // Only elapsed time has a unit to convert; "UTC (ISO 8601)" names a notation.
    if (alias.kind != TimeKind::elapsed || unitText.empty())
        return match;
    const auto unit = unitBySpelling(unitKey(unitText).view());
    if (!unit || unitRow(*unit).dimension != Dimension::time)
        return {};
    match.conversion = {unitRow(*unit).scale, 0};
    return match;
}

// `unit`: the one another header row gives the column where this name has none.
constexpr ColumnMatch matchColumn(std::string_view header, std::string_view unit = {}) {
    const SplitHeader split = splitHeader(header);
    const NameKey key = nameKey(split.name);
    const std::string_view given = split.unit.empty() ? unit : split.unit;
    if (const auto row = findQuantityAlias(key.view()))
        return matchQuantity(*row, given);
    if (const auto row = findTimeAlias(key.view()))
        return matchTime(*row, given);
    return {};
}

constexpr bool namesDistinctAcrossTables() {
    for (const TimeAlias& time : timeAliases)
        if (findQuantityAlias(time.key))
            return false;
    return true;
}
static_assert(namesDistinctAcrossTables());
