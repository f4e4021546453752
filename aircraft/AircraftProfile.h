#pragma once

#include "engine/Quantities.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

// What the instrument knows of the aircraft it is installed in: its
// registration, its cylinders, its tanks, the units its pilot reads, and for
// every gauge the scale and the coloured markings of the pilot's operating
// handbook. Markings and scales are in the engine's own units (the screen
// unit of the gauge's quantity: degrees F, psi, inHg, US gal, gal/h); the
// display units change only what is shown.

// Every gauge that has a scale and markings.
enum class Gauge : std::uint8_t {
    rpm,
    manifoldPressure,
    egt,
    cht,
    oilTemperature,
    oilPressure,
    fuelPressure,
    volts,
    amps,
    oat,
    fuelFlow,
    fuelQuantity,
};
inline constexpr std::size_t gaugeCount = std::size_t(Gauge::fuelQuantity) + 1;

// A few values of one kind, as a handbook lists them: never more than
// `capacity`, which a profile cannot exceed.
template <class Item, std::size_t capacity>
class ShortList {
public:
    static constexpr std::size_t maxSize = capacity;

    constexpr ShortList() = default;
    constexpr ShortList(std::initializer_list<Item> items) {
        for (const Item& item : items)
            if (!push(item))
                tooMany();
    }

    // False, and nothing added, when the list is full.
    constexpr bool push(const Item& item) {
        if (count == capacity)
            return false;
        items[count++] = item;
        return true;
    }
    constexpr std::size_t size() const { return count; }
    constexpr bool empty() const { return count == 0; }
    constexpr const Item* begin() const { return items.data(); }
    constexpr const Item* end() const { return items.data() + count; }
    constexpr const Item& operator[](std::size_t i) const { return items[i]; }

    friend constexpr bool operator==(const ShortList& a, const ShortList& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    // Not constexpr: a table with too many entries fails to compile, and a
    // list built at run time with too many is a fault of the program.
    static void tooMany() { std::abort(); }

    std::array<Item, capacity> items{};
    std::size_t count = 0;
};

// From `from` up to `to`, in the gauge's engine unit.
struct ValueRange {
    double from = 0;
    double to = 0;
    friend constexpr bool operator==(const ValueRange&, const ValueRange&) = default;
};

inline constexpr std::size_t maxRangesPerColour = 4;
inline constexpr std::size_t maxRedLines = 4;
using Ranges = ShortList<ValueRange, maxRangesPerColour>;
using RedLines = ShortList<double, maxRedLines>;

// Which side of a readout limit still reads white.
enum class Bound : std::uint8_t { none, inclusive, exclusive };

// Where a gauge's readout reads white; outside it reads red. No bounds: always white.
struct WhiteReadout {
    Bound lowBound = Bound::none;
    double low = 0;
    Bound highBound = Bound::none;
    double high = 0;
    friend constexpr bool operator==(const WhiteReadout&, const WhiteReadout&) = default;
};

struct GaugeProfile {
    double min = 0;     // bottom of the scale
    double max = 0;     // top of the scale
    Ranges green = {};  // normal operation
    Ranges yellow = {}; // caution
    Ranges red = {};    // warning
    RedLines redLines = {};
    // None: the readout reads white inside the green ranges, red outside.
    std::optional<WhiteReadout> whiteReadout = {};
    friend constexpr bool operator==(const GaugeProfile&, const GaugeProfile&) = default;
};

// A registration as the status bar shows it; empty: the profile names none.
class TailNumber {
public:
    static constexpr std::size_t maxLength = 10;

    constexpr TailNumber() = default;
    // Longer text is cut to maxLength; the reader refuses it first.
    constexpr TailNumber(std::string_view text) {
        length = std::min(text.size(), maxLength);
        std::copy_n(text.begin(), length, letters.begin());
    }
    constexpr std::string_view view() const { return {letters.data(), length}; }
    constexpr bool empty() const { return length == 0; }
    friend constexpr bool operator==(const TailNumber& a, const TailNumber& b) {
        return a.view() == b.view();
    }

private:
    std::array<char, maxLength> letters{};
    std::size_t length = 0;
};

struct AircraftProfile {
    TailNumber tailNumber = {}; // empty: the status bar keeps its own caption
    int cylinders = 6;          // 4 or 6
    double leftTank = 0;        // US gal at the F mark of the left gauge
    double rightTank = 0;       // US gal, right gauge
    Unit temperatureUnit = Unit::degF;
    Unit fuelUnit = Unit::gallons;
    // Degrees F a cylinder's EGT must fall below its highest, while the
    // mixture is leaned, before lean-find counts that highest as its peak:
    // more than the probes' noise, less than a pilot leans past peak.
    double leanPeakDrop = 10;
    std::array<GaugeProfile, gaugeCount> gauges{};

    constexpr const GaugeProfile& gauge(Gauge g) const { return gauges[std::size_t(g)]; }
    constexpr GaugeProfile& gauge(Gauge g) { return gauges[std::size_t(g)]; }
    friend constexpr bool operator==(const AircraftProfile&, const AircraftProfile&) = default;
};

// One row per gauge: its key in a profile file, the quantity whose screen
// unit and plausible range its scale is in, and what it shows.
struct GaugeRow {
    Gauge gauge;
    std::string_view key;
    Quantity quantity;
    std::string_view shows;
};

inline constexpr auto gaugeRows = std::to_array<GaugeRow>({
    {.gauge = Gauge::rpm, .key = "rpm", .quantity = Quantity::rpm, .shows = "RPM dial"},
    {.gauge = Gauge::manifoldPressure,
     .key = "manifold_pressure",
     .quantity = Quantity::manifoldPressure,
     .shows = "MAP dial"},
    {.gauge = Gauge::egt, .key = "egt", .quantity = Quantity::egt, .shows = "EGT bar graph"},
    {.gauge = Gauge::cht, .key = "cht", .quantity = Quantity::cht, .shows = "CHT bar graph"},
    {.gauge = Gauge::oilTemperature,
     .key = "oil_temperature",
     .quantity = Quantity::oilTemp,
     .shows = "OIL-T strip"},
    {.gauge = Gauge::oilPressure,
     .key = "oil_pressure",
     .quantity = Quantity::oilPressure,
     .shows = "OIL-P strip"},
    {.gauge = Gauge::fuelPressure,
     .key = "fuel_pressure",
     .quantity = Quantity::fuelPressure,
     .shows = "FUEL-P strip"},
    {.gauge = Gauge::volts, .key = "volts", .quantity = Quantity::volts, .shows = "VOLTS strip"},
    {.gauge = Gauge::amps, .key = "amps", .quantity = Quantity::amps, .shows = "AMPS strip"},
    {.gauge = Gauge::oat, .key = "oat", .quantity = Quantity::oat, .shows = "OAT strip"},
    {.gauge = Gauge::fuelFlow,
     .key = "fuel_flow",
     .quantity = Quantity::fuelFlow,
     .shows = "FF strip"},
    {.gauge = Gauge::fuelQuantity,
     .key = "fuel_quantity",
     .quantity = Quantity::leftFuel,
     .shows = "LEFT and RIGHT tank gauges"},
});
static_assert(gaugeRows.size() == gaugeCount);

constexpr const GaugeRow& gaugeRow(Gauge g) {
    return gaugeRows[std::size_t(g)];
}

// The unit a gauge's scale and markings are written in.
constexpr Unit engineUnit(Gauge g) {
    return quantityRow(gaugeRow(g).quantity).screenUnit;
}

// Rows in the enumeration's order, no key given twice.
constexpr bool gaugeRowsConsistent() {
    for (std::size_t i = 0; i < gaugeRows.size(); ++i) {
        if (std::size_t(gaugeRows[i].gauge) != i || gaugeRows[i].key.empty())
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (gaugeRows[j].key == gaugeRows[i].key)
                return false;
    }
    return true;
}
static_assert(gaugeRowsConsistent());

// The tank gauges read from empty to the fuller tank's F mark: the scale of
// the fuel quantity gauge follows the tanks and is not written on its own.
constexpr GaugeProfile withTankScale(GaugeProfile fuel, double leftTank, double rightTank) {
    fuel.min = 0;
    fuel.max = std::max(leftTank, rightTank);
    return fuel;
}
