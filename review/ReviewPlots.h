#pragma once

#include "aircraft/AircraftProfile.h"
#include "engine/EngineSample.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// What the flight review plots, one row per plot from top to bottom, and
// one row per line drawn in them. The plots share one time axis.

enum class Plot : std::uint8_t { egt, cht, power, fuelFlow, oil };
inline constexpr std::size_t plotCount = std::size_t(Plot::oil) + 1;

// Which scale a line is read on: the plot's left, or its right for the
// second quantity of a plot of two.
enum class Side : std::uint8_t { left, right };

struct PlotRow {
    Plot plot;
    std::string_view title;
    float height; // share of the plots' height
};

inline constexpr auto plotRows = std::to_array<PlotRow>({
    {.plot = Plot::egt, .title = "EGT", .height = 1.5f},
    {.plot = Plot::cht, .title = "CHT", .height = 1.2f},
    {.plot = Plot::power, .title = "RPM and MAP", .height = 1.0f},
    {.plot = Plot::fuelFlow, .title = "Fuel flow", .height = 0.8f},
    {.plot = Plot::oil, .title = "Oil temperature and pressure", .height = 1.0f},
});
static_assert(plotRows.size() == plotCount);

struct SeriesRow {
    Quantity quantity;
    Plot plot;
    Gauge gauge; // whose markings give the plot's limit lines, whose unit its scale
    std::string_view label;
    Side side = Side::left;
    int cylinder = -1; // 0..5: a cylinder's line, coloured as the legend says
};

inline constexpr auto seriesRows = std::to_array<SeriesRow>({
    {.quantity = Quantity::egt1,
     .plot = Plot::egt,
     .gauge = Gauge::egt,
     .label = "1",
     .cylinder = 0},
    {.quantity = Quantity::egt2,
     .plot = Plot::egt,
     .gauge = Gauge::egt,
     .label = "2",
     .cylinder = 1},
    {.quantity = Quantity::egt3,
     .plot = Plot::egt,
     .gauge = Gauge::egt,
     .label = "3",
     .cylinder = 2},
    {.quantity = Quantity::egt4,
     .plot = Plot::egt,
     .gauge = Gauge::egt,
     .label = "4",
     .cylinder = 3},
    {.quantity = Quantity::egt5,
     .plot = Plot::egt,
     .gauge = Gauge::egt,
     .label = "5",
     .cylinder = 4},
    {.quantity = Quantity::egt6,
     .plot = Plot::egt,
     .gauge = Gauge::egt,
     .label = "6",
     .cylinder = 5},
    {.quantity = Quantity::cht1,
     .plot = Plot::cht,
     .gauge = Gauge::cht,
     .label = "1",
     .cylinder = 0},
    {.quantity = Quantity::cht2,
     .plot = Plot::cht,
     .gauge = Gauge::cht,
     .label = "2",
     .cylinder = 1},
    {.quantity = Quantity::cht3,
     .plot = Plot::cht,
     .gauge = Gauge::cht,
     .label = "3",
     .cylinder = 2},
    {.quantity = Quantity::cht4,
     .plot = Plot::cht,
     .gauge = Gauge::cht,
     .label = "4",
     .cylinder = 3},
    {.quantity = Quantity::cht5,
     .plot = Plot::cht,
     .gauge = Gauge::cht,
     .label = "5",
     .cylinder = 4},
    {.quantity = Quantity::cht6,
     .plot = Plot::cht,
     .gauge = Gauge::cht,
     .label = "6",
     .cylinder = 5},
    {.quantity = Quantity::rpm, .plot = Plot::power, .gauge = Gauge::rpm, .label = "RPM"},
    {.quantity = Quantity::manifoldPressure,
     .plot = Plot::power,
     .gauge = Gauge::manifoldPressure,
     .label = "MAP",
     .side = Side::right},
    {.quantity = Quantity::fuelFlow,
     .plot = Plot::fuelFlow,
     .gauge = Gauge::fuelFlow,
     .label = "FF"},
    {.quantity = Quantity::oilTemp,
     .plot = Plot::oil,
     .gauge = Gauge::oilTemperature,
     .label = "OIL-T"},
    {.quantity = Quantity::oilPressure,
     .plot = Plot::oil,
     .gauge = Gauge::oilPressure,
     .label = "OIL-P",
     .side = Side::right},
});
inline constexpr std::size_t seriesCount = seriesRows.size();

// A plot's lines share a gauge on each side; cylinders in order, 1 to 6.
constexpr bool seriesRowsConsistent() {
    for (std::size_t i = 0; i < seriesCount; ++i) {
        const SeriesRow& row = seriesRows[i];
        if (row.label.empty() || row.cylinder > 5)
            return false;
        if (row.cylinder >= 0 &&
            row.quantity !=
                (row.plot == Plot::egt ? cylinderEgt(row.cylinder) : cylinderCht(row.cylinder)))
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (seriesRows[j].quantity == row.quantity ||
                (seriesRows[j].plot == row.plot && seriesRows[j].side == row.side &&
                 seriesRows[j].gauge != row.gauge))
                return false;
    }
    return true;
}
static_assert(seriesRowsConsistent());

// The plot an alarm on a gauge is shaded in; none for gauges not plotted.
constexpr std::optional<Plot> plotOf(Gauge gauge) {
    for (const SeriesRow& row : seriesRows)
        if (row.gauge == gauge)
            return row.plot;
    return std::nullopt;
}
