#pragma once

#include "engine/EngineSample.h"
#include "engine/Quantities.h"
#include "engine/Units.h"
#include "logs/ColumnNames.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// The names exports give each quantity's column; what a quantity is, its
// title in our own recordings and its screen unit are the engine's tables
// (engine/Quantities.h, engine/Units.h).

// Column names, by key (see nameKey), and the unit a column of that name is
// in when its header gives none. Where a log has two columns for one
// quantity, the row nearer the top wins ("Volts 1" over "Volts M", "Amps" over
// the battery's "Batt Amps" and a second alternator's "Amps2"). Main and
// auxiliary tanks show on the left and right fuel gauges. Numbered tanks are
// read in pairs, odd on the left and even on the right; with all four, tanks
// 1 and 2 are shown: the instrument has one gauge a side and adds no tanks
// whose plumbing it cannot know.
struct QuantityAlias {
    std::string_view key;
    Quantity quantity;
    std::optional<Unit> unit = {}; // none: the screen's unit
};

inline constexpr auto quantityAliases = std::to_array<QuantityAlias>({
    {.key = "rpm", .quantity = Quantity::rpm},
    {.key = "e1rpm", .quantity = Quantity::rpm},
    {.key = "enginerpm", .quantity = Quantity::rpm},
    {.key = "enginespeed", .quantity = Quantity::rpm},

    {.key = "manifoldpressure", .quantity = Quantity::manifoldPressure},
    {.key = "manifoldpress", .quantity = Quantity::manifoldPressure},
    {.key = "map", .quantity = Quantity::manifoldPressure},
    {.key = "e1map", .quantity = Quantity::manifoldPressure},

    {.key = "oiltemp", .quantity = Quantity::oilTemp},
    {.key = "oiltemperature", .quantity = Quantity::oilTemp},
    {.key = "oilt", .quantity = Quantity::oilTemp},
    {.key = "e1oilt", .quantity = Quantity::oilTemp},

    {.key = "oilpressure", .quantity = Quantity::oilPressure},
    {.key = "oilpress", .quantity = Quantity::oilPressure},
    {.key = "oilp", .quantity = Quantity::oilPressure},
    {.key = "e1oilp", .quantity = Quantity::oilPressure},

    {.key = "fuelpressure", .quantity = Quantity::fuelPressure},
    {.key = "fuelpress", .quantity = Quantity::fuelPressure},
    {.key = "fuelp", .quantity = Quantity::fuelPressure},
    {.key = "e1fpres", .quantity = Quantity::fuelPressure},

    {.key = "fuelflow", .quantity = Quantity::fuelFlow},
    {.key = "ff", .quantity = Quantity::fuelFlow},
    {.key = "fflow", .quantity = Quantity::fuelFlow},
    {.key = "e1fflow", .quantity = Quantity::fuelFlow},

    {.key = "volts", .quantity = Quantity::volts},
    {.key = "volts1", .quantity = Quantity::volts},
    {.key = "voltsm", .quantity = Quantity::volts},
    {.key = "busvolts", .quantity = Quantity::volts},
    {.key = "voltage", .quantity = Quantity::volts},
    {.key = "volts2", .quantity = Quantity::volts},

    {.key = "amps", .quantity = Quantity::amps},
    {.key = "amps1", .quantity = Quantity::amps},
    {.key = "ampsm", .quantity = Quantity::amps},
    {.key = "ammeter", .quantity = Quantity::amps},
    {.key = "battamps", .quantity = Quantity::amps},
    {.key = "amps2", .quantity = Quantity::amps},

    // Outside air is reported in degrees C where a header gives no unit.
    {.key = "oat", .quantity = Quantity::oat, .unit = Unit::degC},
    {.key = "outsideairtemp", .quantity = Quantity::oat, .unit = Unit::degC},
    {.key = "outsideairtemperature", .quantity = Quantity::oat, .unit = Unit::degC},

    {.key = "egt", .quantity = Quantity::egt},
    {.key = "cht", .quantity = Quantity::cht},

    {.key = "egt1", .quantity = Quantity::egt1},
    {.key = "egt2", .quantity = Quantity::egt2},
    {.key = "egt3", .quantity = Quantity::egt3},
    {.key = "egt4", .quantity = Quantity::egt4},
    {.key = "egt5", .quantity = Quantity::egt5},
    {.key = "egt6", .quantity = Quantity::egt6},
    {.key = "e1egt1", .quantity = Quantity::egt1},
    {.key = "e1egt2", .quantity = Quantity::egt2},
    {.key = "e1egt3", .quantity = Quantity::egt3},
    {.key = "e1egt4", .quantity = Quantity::egt4},
    {.key = "e1egt5", .quantity = Quantity::egt5},
    {.key = "e1egt6", .quantity = Quantity::egt6},

    {.key = "cht1", .quantity = Quantity::cht1},
    {.key = "cht2", .quantity = Quantity::cht2},
    {.key = "cht3", .quantity = Quantity::cht3},
    {.key = "cht4", .quantity = Quantity::cht4},
    {.key = "cht5", .quantity = Quantity::cht5},
    {.key = "cht6", .quantity = Quantity::cht6},
    {.key = "e1cht1", .quantity = Quantity::cht1},
    {.key = "e1cht2", .quantity = Quantity::cht2},
    {.key = "e1cht3", .quantity = Quantity::cht3},
    {.key = "e1cht4", .quantity = Quantity::cht4},
    {.key = "e1cht5", .quantity = Quantity::cht5},
    {.key = "e1cht6", .quantity = Quantity::cht6},

    {.key = "leftfuel", .quantity = Quantity::leftFuel},
    {.key = "fuelqtyl", .quantity = Quantity::leftFuel},
    {.key = "fuelqtyleft", .quantity = Quantity::leftFuel},
    {.key = "fuelleft", .quantity = Quantity::leftFuel},
    {.key = "fuelqtymain", .quantity = Quantity::leftFuel},
    {.key = "mainfuel", .quantity = Quantity::leftFuel},
    {.key = "fuelmain", .quantity = Quantity::leftFuel},
    {.key = "mainfuelqty", .quantity = Quantity::leftFuel},
    {.key = "fqtyl", .quantity = Quantity::leftFuel},
    {.key = "fqty1", .quantity = Quantity::leftFuel},
    {.key = "fqty3", .quantity = Quantity::leftFuel},

    {.key = "rightfuel", .quantity = Quantity::rightFuel},
    {.key = "fuelqtyr", .quantity = Quantity::rightFuel},
    {.key = "fuelqtyright", .quantity = Quantity::rightFuel},
    {.key = "fuelright", .quantity = Quantity::rightFuel},
    {.key = "fuelqtyaux", .quantity = Quantity::rightFuel},
    {.key = "auxfuel", .quantity = Quantity::rightFuel},
    {.key = "fuelaux", .quantity = Quantity::rightFuel},
    {.key = "auxfuelqty", .quantity = Quantity::rightFuel},
    {.key = "fqtyr", .quantity = Quantity::rightFuel},
    {.key = "fqty2", .quantity = Quantity::rightFuel},
    {.key = "fqty4", .quantity = Quantity::rightFuel},

    {.key = "torque", .quantity = Quantity::torque},
    {.key = "trq", .quantity = Quantity::torque},

    {.key = "percentpower", .quantity = Quantity::percentPower},
    {.key = "%power", .quantity = Quantity::percentPower},
    {.key = "power%", .quantity = Quantity::percentPower},
    {.key = "%pwr", .quantity = Quantity::percentPower},
    {.key = "e1%pwr", .quantity = Quantity::percentPower},
    {.key = "power", .quantity = Quantity::percentPower},
    {.key = "enginepower", .quantity = Quantity::percentPower},

    {.key = "throttle", .quantity = Quantity::throttle},
    {.key = "propeller", .quantity = Quantity::propeller},
    {.key = "prop", .quantity = Quantity::propeller},
    {.key = "mixture", .quantity = Quantity::mixture},
});
inline constexpr std::size_t quantityAliasCount = 100;
static_assert(quantityAliases.size() == quantityAliasCount);

constexpr std::optional<std::size_t> findQuantityAlias(std::string_view key) {
    for (std::size_t i = 0; i < quantityAliases.size(); ++i)
        if (quantityAliases[i].key == key)
            return i;
    return std::nullopt;
}

constexpr Unit impliedUnit(const QuantityAlias& alias) {
    return alias.unit.value_or(quantityRow(alias.quantity).screenUnit);
}

// The tables hold together: every unit's spellings in key form, every
// implied unit of its quantity's dimension, every alias in key form and spelt
// once, and each title and screen unit of our own recordings read back as
// its quantity.
constexpr bool unitSpellingsAreKeys() {
    return std::ranges::all_of(unitRows, [](const UnitRow& row) {
        return allSpellings(row.spellings,
                            [](std::string_view spelling) { return isUnitKey(spelling); });
    });
}
static_assert(unitSpellingsAreKeys());

constexpr bool quantityAliasesConsistent() {
    for (const QuantityRow& row : quantityRows) {
        const std::string_view symbol = unitRow(row.screenUnit).symbol;
        if (unitBySpelling(unitKey(symbol).view()) != row.screenUnit)
            return false;
        const auto alias = findQuantityAlias(nameKey(row.title).view());
        if (!alias || quantityAliases[*alias].quantity != row.quantity)
            return false;
    }
    for (std::size_t i = 0; i < quantityAliases.size(); ++i) {
        const QuantityAlias& alias = quantityAliases[i];
        if (!isNameKey(alias.key))
            return false;
        if (unitRow(impliedUnit(alias)).dimension != quantityRow(alias.quantity).dimension)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (quantityAliases[j].key == alias.key)
                return false;
    }
    return true;
}
static_assert(quantityAliasesConsistent());
