#include "alarms/AlarmMessage.h"

#include "alarms/Markings.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// Printed without the user's locale, as the readouts are.
std::string readoutText(double value, const WatchedReadout& row) {
    char buffer[64];
    if (!std::isfinite(value) || std::fabs(value) > 1e9)
        return "--";
    const auto result = row.truncated ? std::to_chars(buffer, buffer + sizeof buffer,
                                                      static_cast<std::int64_t>(value))
                                      : std::to_chars(buffer, buffer + sizeof buffer, value,
                                                      std::chars_format::fixed, row.decimals);
    // "-0" says no more than "0".
    std::string text(buffer, result.ptr);
    return text == "-0" || text == "-0.0" ? text.substr(1) : text;
}

} // namespace

Unit displayUnit(Gauge gauge, const AircraftProfile& profile) {
    const Unit engine = engineUnit(gauge);
    switch (unitRow(engine).dimension) {
    case Dimension::temperature:
        return profile.temperatureUnit;
    case Dimension::fuelQuantity:
        return profile.fuelUnit;
    case Dimension::fuelFlow:
        return profile.fuelUnit == Unit::litres ? Unit::litresPerHour : engine;
    default:
        return engine;
    }
}

std::string alarmMessage(const WatchedReadout& row, const GaugeProfile& gauge, double value,
                         const AircraftProfile& profile) {
    const UnitConversion shown =
        conversionBetween(engineUnit(row.gauge), displayUnit(row.gauge, profile));
    std::string message(row.label);
    message += ' ';
    message += sideOfNormal(gauge, value);
    message += ' ';
    message += readoutText(shown(value), row);
    return message;
}
