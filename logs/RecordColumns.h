#pragma once

#include "engine/Quantities.h"
#include "logs/ColumnMatch.h"
#include "logs/QuantityAliases.h"

#include <array>
#include <string_view>

// Our own recordings: a first line naming the program that wrote it, then a
// header row of these columns, then one row per recorded tick.
inline constexpr std::string_view ownLogMarker = "# engine log written by ";
// The cell after it naming the aircraft: "tail=N5038K".
inline constexpr std::string_view tailKey = "tail";

inline constexpr std::string_view utcColumn = "UTC (ISO 8601)";
inline constexpr std::string_view elapsedColumn = "Elapsed (s)";
// After one column per quantity, in quantity order (title and screen unit):
inline constexpr auto panelColumns = std::to_array<std::string_view>({
    "Demo Mode (0/1)",
    "Mute (0/1)",
    "Selected Cylinder (1-6)",
});

// A recording reads back as itself: its time columns are time, the panel's
// columns are no engine value, and each quantity's title and unit match it
// with no conversion (checked for the title alone in quantityTablesConsistent).
constexpr bool ownColumnsReadBack() {
    const ColumnMatch utc = matchColumn(utcColumn);
    const ColumnMatch elapsed = matchColumn(elapsedColumn);
    if (utc.kind != ColumnMatch::Kind::time || utc.time != TimeKind::dateTime ||
        elapsed.kind != ColumnMatch::Kind::time || elapsed.time != TimeKind::elapsed ||
        elapsed.conversion.scale != 1)
        return false;
    for (const std::string_view column : panelColumns)
        if (matchColumn(column).kind != ColumnMatch::Kind::none)
            return false;
    for (const QuantityRow& column : quantityRows) {
        const ColumnMatch match =
            matchQuantity(findQuantityAlias(nameKey(column.title).view()).value(),
                          unitRow(column.screenUnit).symbol);
        if (match.kind != ColumnMatch::Kind::quantity || match.quantity != column.quantity ||
            match.conversion.scale != 1 || match.conversion.offset != 0)
            return false;
    }
    return true;
}
static_assert(ownColumnsReadBack());
