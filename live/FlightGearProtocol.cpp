#include "live/FlightGearProtocol.h"

#include "live/LiveValue.h"

#include <algorithm>
#include <charconv>

namespace {

// A number as FlightGear prints one, the whole field and nothing else; an
// empty field is a property the aircraft does not have.
enum class FieldKind : std::uint8_t { number, empty, bad };

FieldKind readField(std::string_view field, double& value) {
    if (field.empty())
        return FieldKind::empty;
    if (field.size() > flightGearMaxField)
        return FieldKind::bad;
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    return error == std::errc() && stop == end ? FieldKind::number : FieldKind::bad;
}

bool lineText(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

} // namespace

bool readFlightGearLine(std::span<const std::uint8_t> datagram, EngineSample& latest,
                        LiveCounters& counters) {
    if (datagram.size() > flightGearMaxLine) {
        counters.count(Ignored::oversized);
        return false;
    }
    std::string_view line(reinterpret_cast<const char*>(datagram.data()), datagram.size());
    if (line.empty() || line.back() != flightGearLineEnd ||
        !lineText(line.substr(0, line.size() - 1))) {
        counters.count(Ignored::badField);
        return false;
    }
    line.remove_suffix(1);

    std::array<std::string_view, flightGearPropertyCount> fields;
    std::size_t count = 0;
    for (;;) {
        const std::size_t end = std::min(line.find(flightGearSeparator), line.size());
        if (count == fields.size()) {
            counters.count(Ignored::tooManyFields);
            return false;
        }
        fields[count++] = line.substr(0, end);
        if (end == line.size())
            break;
        line.remove_prefix(end + 1);
    }
    if (count < fields.size()) {
        counters.count(Ignored::tooFewFields);
        return false;
    }

    std::array<double, flightGearPropertyCount> values{};
    std::array<FieldKind, flightGearPropertyCount> kinds{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        kinds[i] = readField(fields[i], values[i]);
        if (kinds[i] == FieldKind::bad) {
            counters.count(Ignored::badField);
            return false;
        }
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const PropertyRow& row = flightGearProperties[i];
        if (kinds[i] == FieldKind::empty)
            latest.clear(row.quantity);
        else
            takeValue(latest, counters, row.quantity, row.unit, values[i]);
    }
    ++counters.validPackets;
    return true;
}
