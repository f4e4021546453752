#include "live/XPlaneMapFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

constexpr std::string_view spaces = " \t";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(spaces);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(spaces) - first + 1);
}

// Splits at spaces and tabs into at most `limit` words; one more means too many.
std::vector<std::string_view> words(std::string_view text, std::size_t limit) {
    std::vector<std::string_view> found;
    while (found.size() <= limit) {
        text = trimmed(text);
        if (text.empty())
            break;
        const std::size_t end = std::min(text.find_first_of(spaces), text.size());
        found.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return found;
}

bool printableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= ' ' && c <= '~') || c == '\t'; });
}

// One line's row: a quantity and either a binding or nothing ("none").
struct MapLine {
    Quantity quantity;
    std::optional<DatarefBinding> binding;
};

std::string parseLine(std::string_view line, std::optional<MapLine>& parsed) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return "expected 'quantity = dataref unit' or 'quantity = none'";
    const std::string_view name = trimmed(line.substr(0, equals));
    const std::optional<Quantity> quantity = quantityByName(name);
    if (!quantity)
        return "unknown quantity '" + std::string(name) + "'";
    const std::vector<std::string_view> right = words(line.substr(equals + 1), 2);
    if (right.size() == 1 && right[0] == "none") {
        parsed = MapLine{*quantity, std::nullopt};
        return {};
    }
    if (right.size() != 2)
        return "expected 'quantity = dataref unit' or 'quantity = none'";
    if (right[0].size() > maxDatarefPathLength)
        return "dataref path longer than " + std::to_string(maxDatarefPathLength) + " bytes";
    const std::optional<Unit> unit = unitByName(right[1]);
    if (!unit)
        return "unknown unit '" + std::string(right[1]) + "'";
    if (unitRow(*unit).dimension != quantityRow(*quantity).dimension)
        return "unit '" + std::string(right[1]) + "' does not fit " + std::string(name);
    parsed = MapLine{*quantity, DatarefBinding{*quantity, std::string(right[0]), *unit}};
    return {};
}

void apply(DatarefMap& map, const MapLine& line) {
    const auto same = [&](const DatarefBinding& row) { return row.quantity == line.quantity; };
    const auto existing = std::find_if(map.begin(), map.end(), same);
    if (!line.binding)
        map.erase(std::remove_if(map.begin(), map.end(), same), map.end());
    else if (existing != map.end())
        *existing = *line.binding;
    else
        map.push_back(*line.binding);
}

} // namespace

MapFileResult parseXPlaneMap(std::string_view text, DatarefMap defaults) {
    if (text.size() > maxMapFileSize)
        return {{}, "file larger than " + std::to_string(maxMapFileSize / 1024) + " KiB"};
    std::array<int, quantityCount> mappedOnLine{};
    MapFileResult result{std::move(defaults), {}};
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const auto fail = [&](const std::string& why) {
            return MapFileResult{{}, "line " + std::to_string(number) + ": " + why};
        };
        if (line.size() > maxMapLineLength)
            return fail("longer than " + std::to_string(maxMapLineLength) + " bytes");
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!printableAscii(line))
            return fail("not printable ASCII text");
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        std::optional<MapLine> parsed;
        if (const std::string why = parseLine(line, parsed); !why.empty())
            return fail(why);
        int& first = mappedOnLine[std::size_t(parsed->quantity)];
        if (first != 0)
            return fail(std::string(quantityRow(parsed->quantity).name) +
                        " is already mapped on line " + std::to_string(first));
        first = number;
        apply(result.map, *parsed);
    }
    return result;
}
