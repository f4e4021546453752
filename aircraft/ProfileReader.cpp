#include "aircraft/ProfileReader.h"

#include "aircraft/InstrumentProfile.h"
#include "aircraft/NearestKey.h"
#include "aircraft/NumberText.h"
#include "aircraft/ProfileChecks.h"
#include "aircraft/ProfileKeys.h"
#include "aircraft/ProfileText.h"

// The parser reports errors as values, not exceptions, and is compiled here
// alone, so the fuzzer instruments it with the rest of the reader.
#define TOML_HEADER_ONLY 1
#define TOML_EXCEPTIONS 0
#define TOML_ENABLE_FORMATTERS 0
#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

namespace keys = profile_keys;

struct Problem {
    toml::source_position at;
    std::string what;
};

// A range as read, with where it stands, for the checks that compare ranges.
struct PlacedRange {
    ValueRange range;
    std::string_view colour;
    toml::source_position at;
};

std::string rangeText(ValueRange range) {
    return "[" + numberText(range.from) + ", " + numberText(range.to) + "]";
}

std::string scaleText(const GaugeProfile& gauge) {
    return "the scale " + rangeText({gauge.min, gauge.max});
}

std::string_view kindOf(const toml::node& node) {
    switch (node.type()) {
    case toml::node_type::string:
        return "text";
    case toml::node_type::integer:
    case toml::node_type::floating_point:
        return "a number";
    case toml::node_type::boolean:
        return "true or false";
    case toml::node_type::table:
        return "a table";
    case toml::node_type::array:
        return "a list";
    default:
        return "a date or time";
    }
}

class Reader {
public:
    explicit Reader(std::string_view fileName) : file(fileName) {}

    AircraftProfile read(const toml::table& root);

    // The first problem in the file's order, as its one line; empty if none.
    std::string firstProblem() const;

private:
    void problem(toml::source_position at, std::string what) {
        problems.push_back({at, std::move(what)});
    }
    void problem(const toml::source_region& where, std::string what) {
        problem(where.begin, std::move(what));
    }
    void unknownKeys(const toml::table& table, std::span<const std::string_view> known);
    std::optional<double> number(const toml::node& node, std::string_view what);
    std::optional<Unit> unit(const toml::node& node, std::string_view key,
                             std::span<const Unit> allowed);
    void readTopLevel(const toml::table& root, AircraftProfile& profile);
    void readTailNumber(const toml::node& node, AircraftProfile& profile);
    void readCylinders(const toml::node& node, AircraftProfile& profile);
    void readTank(const toml::node& node, std::string_view key, double& tank);
    void readPeakDrop(const toml::node& node, AircraftProfile& profile);
    GaugeProfile readGauge(const GaugeRow& row, const toml::table& table,
                           const AircraftProfile& profile);
    bool readScale(const GaugeRow& row, const toml::table& table, GaugeProfile& gauge);
    std::optional<ValueRange> range(const toml::node& node, std::string_view colour);
    void readRanges(const toml::node& node, const keys::ColourKey& colour, Ranges& ranges,
                    std::vector<PlacedRange>& placed);
    void readRedLines(const toml::node& node, GaugeProfile& gauge);
    void readWhiteReadout(const toml::node& node, GaugeProfile& gauge);
    void checkRanges(std::vector<PlacedRange>& placed, const GaugeProfile& gauge);

    std::string_view file;
    std::vector<Problem> problems;
};

std::string Reader::firstProblem() const {
    if (problems.empty())
        return {};
    const auto first =
        std::min_element(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
            return std::tie(a.at.line, a.at.column) < std::tie(b.at.line, b.at.column);
        });
    return lineError(file, first->at.line, first->at.column, first->what);
}

void Reader::unknownKeys(const toml::table& table, std::span<const std::string_view> known) {
    for (auto&& [key, node] : table)
        if (std::find(known.begin(), known.end(), key.str()) == known.end())
            problem(key.source(), "unknown key '" + printable(key.str()) + "'; did you mean '" +
                                      std::string(nearestKey(key.str(), known)) + "'?");
}

// A finite number, whole or not; anything else is named for what it is.
std::optional<double> Reader::number(const toml::node& node, std::string_view what) {
    // A whole number beyond 2^53 is taken to the nearest double, as written in a float.
    const std::optional<double> value =
        node.is_integer() ? std::optional(double(node.as_integer()->get())) : node.value<double>();
    if (!node.is_number() || !value) {
        problem(node.source(),
                std::string(what) + " must be a number, not " + std::string(kindOf(node)));
        return std::nullopt;
    }
    if (!std::isfinite(*value)) {
        problem(node.source(), std::string(what) + " must be a finite number");
        return std::nullopt;
    }
    return value;
}

// A unit by its name in the unit table, or a spelling of it, among `allowed`.
std::optional<Unit> Reader::unit(const toml::node& node, std::string_view key,
                                 std::span<const Unit> allowed) {
    std::string names;
    for (const Unit u : allowed)
        names += (names.empty() ? "" : " or ") + std::string(unitRow(u).name);
    const std::optional<std::string_view> text = node.value<std::string_view>();
    if (!text) {
        problem(node.source(), std::string(key) + " must be text: " + names);
        return std::nullopt;
    }
    std::string spelling(*text);
    std::transform(spelling.begin(), spelling.end(), spelling.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    // As the unit table names it ("degC"), or as a log may spell it ("celsius").
    std::optional<Unit> found = unitByName(*text);
    if (!found)
        found = unitBySpelling(spelling);
    if (!found || std::find(allowed.begin(), allowed.end(), *found) == allowed.end()) {
        problem(node.source(),
                "unknown " + std::string(key) + " '" + printable(*text) + "'; use " + names);
        return std::nullopt;
    }
    return found;
}

void Reader::readTailNumber(const toml::node& node, AircraftProfile& profile) {
    const std::optional<std::string_view> text = node.value<std::string_view>();
    if (!text || !validTailNumber(*text)) {
        problem(node.source(), std::string(keys::tailNumber) + " must be text of 1 to " +
                                   std::to_string(TailNumber::maxLength) +
                                   " letters, digits and dashes");
        return;
    }
    profile.tailNumber = TailNumber(*text);
}

void Reader::readCylinders(const toml::node& node, AircraftProfile& profile) {
    const std::optional<double> count = number(node, keys::cylinders);
    if (!count)
        return;
    if (!node.is_integer() || !cylindersShown(node.as_integer()->get())) {
        problem(node.source(), node.is_integer() ? "cylinders = " + numberText(*count) +
                                                       ": the instrument shows 4 or 6 cylinders"
                                                 : "cylinders must be a whole number, 4 or 6");
        return;
    }
    profile.cylinders = int(node.as_integer()->get());
}

void Reader::readTank(const toml::node& node, std::string_view key, double& tank) {
    const std::optional<double> gallons = number(node, key);
    if (!gallons)
        return;
    if (!plausibleTank(*gallons)) {
        problem(node.source(), std::string(key) + " = " + numberText(*gallons) +
                                   ": a tank holds more than 0 and at most " +
                                   numberText(quantityRow(Quantity::leftFuel).highest) + " US gal");
        return;
    }
    tank = *gallons;
}

void Reader::readPeakDrop(const toml::node& node, AircraftProfile& profile) {
    const std::optional<double> degrees = number(node, keys::leanPeakDrop);
    if (!degrees)
        return;
    if (!plausiblePeakDrop(*degrees)) {
        problem(node.source(), std::string(keys::leanPeakDrop) + " = " + numberText(*degrees) +
                                   ": degrees F from " + numberText(leastPeakDrop) + " to " +
                                   numberText(mostPeakDrop));
        return;
    }
    profile.leanPeakDrop = *degrees;
}

void Reader::readTopLevel(const toml::table& root, AircraftProfile& profile) {
    profile.tailNumber = {};
    if (const toml::node* node = root.get(keys::tailNumber))
        readTailNumber(*node, profile);
    if (const toml::node* node = root.get(keys::cylinders))
        readCylinders(*node, profile);
    if (const toml::node* node = root.get(keys::temperatureUnit))
        profile.temperatureUnit =
            unit(*node, keys::temperatureUnit, keys::temperatureUnits).value_or(Unit::degF);
    if (const toml::node* node = root.get(keys::fuelUnit))
        profile.fuelUnit = unit(*node, keys::fuelUnit, keys::fuelUnits).value_or(Unit::gallons);
    if (const toml::node* node = root.get(keys::leftTank))
        readTank(*node, keys::leftTank, profile.leftTank);
    if (const toml::node* node = root.get(keys::rightTank))
        readTank(*node, keys::rightTank, profile.rightTank);
    if (const toml::node* node = root.get(keys::leanPeakDrop))
        readPeakDrop(*node, profile);
}

AircraftProfile Reader::read(const toml::table& root) {
    std::vector<std::string_view> known(keys::topLevel.begin(), keys::topLevel.end());
    for (const GaugeRow& row : gaugeRows)
        known.push_back(row.key);
    unknownKeys(root, known);

    AircraftProfile profile = defaultProfile();
    readTopLevel(root, profile);
    for (const GaugeRow& row : gaugeRows) {
        GaugeProfile& gauge = profile.gauge(row.gauge);
        const toml::node* node = root.get(row.key);
        if (!node) {
            // The instrument's own tank gauges, green from empty to full, for these tanks.
            if (row.gauge == Gauge::fuelQuantity) {
                gauge = withTankScale(gauge, profile.leftTank, profile.rightTank);
                gauge.green = {{gauge.min, gauge.max}};
            }
            continue;
        }
        if (const toml::table* table = node->as_table())
            gauge = readGauge(row, *table, profile);
        else
            problem(node->source(),
                    std::string(row.key) + " must be a table: [" + std::string(row.key) + "]");
    }
    return profile;
}

// A gauge table as written: its scale (the tanks' for fuel quantity), its
// coloured ranges, red lines and readout, checked against each other.
GaugeProfile Reader::readGauge(const GaugeRow& row, const toml::table& table,
                               const AircraftProfile& profile) {
    unknownKeys(table, keys::gauge);
    GaugeProfile gauge;
    if (row.gauge != Gauge::fuelQuantity) {
        if (!readScale(row, table, gauge))
            return profile.gauge(row.gauge);
    } else if (const toml::node* scale = table.get(keys::scale)) {
        problem(scale->source(), "the tank gauges take no scale: each reads from empty to its "
                                 "left_tank or right_tank");
    }
    if (row.gauge == Gauge::fuelQuantity)
        gauge = withTankScale(gauge, profile.leftTank, profile.rightTank);
    std::vector<PlacedRange> placed;
    for (const keys::ColourKey& colour : keys::colours)
        if (const toml::node* node = table.get(colour.key))
            readRanges(*node, colour, gauge.*colour.ranges, placed);
    checkRanges(placed, gauge);
    if (const toml::node* node = table.get(keys::redLines))
        readRedLines(*node, gauge);
    if (const toml::node* node = table.get(keys::readoutWhite))
        readWhiteReadout(*node, gauge);
    return gauge;
}

bool Reader::readScale(const GaugeRow& row, const toml::table& table, GaugeProfile& gauge) {
    const toml::node* node = table.get(keys::scale);
    if (!node) {
        problem(table.source(), "[" + std::string(row.key) + "] needs scale = [bottom, top]");
        return false;
    }
    const std::optional<ValueRange> scale = range(*node, keys::scale);
    if (!scale)
        return false;
    const QuantityRow& quantity = quantityRow(row.quantity);
    if (!plausibleScale(row.gauge, scale->from, scale->to)) {
        problem(node->source(), "scale " + rangeText(*scale) + " must run upwards within " +
                                    rangeText({quantity.lowest, quantity.highest}) + " " +
                                    std::string(unitRow(quantity.screenUnit).symbol));
        return false;
    }
    gauge.min = scale->from;
    gauge.max = scale->to;
    return true;
}

// [from, to]: two numbers, the lower first.
std::optional<ValueRange> Reader::range(const toml::node& node, std::string_view what) {
    const toml::array* pair = node.as_array();
    if (!pair || pair->size() != 2) {
        problem(node.source(), std::string(what) + " range must be [from, to], not " +
                                   std::string(kindOf(node)) +
                                   (pair ? " of " + std::to_string(pair->size()) : ""));
        return std::nullopt;
    }
    const std::optional<double> from = number(*pair->get(0), what);
    const std::optional<double> to = number(*pair->get(1), what);
    if (!from || !to)
        return std::nullopt;
    if (!rightWayRound(*from, *to)) {
        problem(node.source(), std::string(what) + " range " + rangeText({*from, *to}) +
                                   " is the wrong way round or empty");
        return std::nullopt;
    }
    return ValueRange{*from, *to};
}

// A list of ranges, or a single range written on its own: green = [90, 225].
void Reader::readRanges(const toml::node& node, const keys::ColourKey& colour, Ranges& ranges,
                        std::vector<PlacedRange>& placed) {
    const toml::array* list = node.as_array();
    if (list && !list->empty() && !list->get(0)->is_array()) {
        if (const std::optional<ValueRange> one = range(node, colour.key)) {
            ranges.push(*one);
            placed.push_back({*one, colour.key, node.source().begin});
        }
        return;
    }
    if (!list) {
        problem(node.source(), std::string(colour.key) + " must be a list of [from, to] ranges");
        return;
    }
    for (const toml::node& item : *list) {
        const std::optional<ValueRange> one = range(item, colour.key);
        if (one && !ranges.push(*one))
            problem(item.source(), "at most " + std::to_string(Ranges::maxSize) + " " +
                                       std::string(colour.key) + " ranges");
        else if (one)
            placed.push_back({*one, colour.key, item.source().begin});
    }
}

// Each range on the scale, and none sharing more than an end with one
// written before it.
void Reader::checkRanges(std::vector<PlacedRange>& placed, const GaugeProfile& gauge) {
    std::sort(placed.begin(), placed.end(), [](const PlacedRange& a, const PlacedRange& b) {
        return std::tie(a.at.line, a.at.column) < std::tie(b.at.line, b.at.column);
    });
    for (auto it = placed.begin(); it != placed.end(); ++it) {
        const std::string name = std::string(it->colour) + " range " + rangeText(it->range);
        const toml::source_position where = it->at;
        if (!onScale(it->range, gauge))
            problem(where, name + " lies outside " + scaleText(gauge));
        const auto earlier = std::find_if(placed.begin(), it, [&](const PlacedRange& other) {
            return overlap(other.range, it->range);
        });
        if (earlier != it)
            problem(where, name + " overlaps " + std::string(earlier->colour) + " range " +
                               rangeText(earlier->range));
    }
}

void Reader::readRedLines(const toml::node& node, GaugeProfile& gauge) {
    const toml::array* list = node.as_array();
    if (!list) {
        problem(node.source(), "red_lines must be a list of numbers");
        return;
    }
    for (const toml::node& item : *list) {
        const std::optional<double> line = number(item, "a red line");
        if (!line)
            continue;
        if (!onScale(*line, gauge))
            problem(item.source(),
                    "red line " + numberText(*line) + " lies outside " + scaleText(gauge));
        else if (!gauge.redLines.push(*line))
            problem(item.source(), "at most " + std::to_string(RedLines::maxSize) + " red lines");
    }
}

// { at_least or above = LOW, at_most or below = HIGH }; {} reads white always.
void Reader::readWhiteReadout(const toml::node& node, GaugeProfile& gauge) {
    const toml::table* table = node.as_table();
    if (!table) {
        problem(node.source(), "readout_white must be a table such as { at_least = 15, "
                               "below = 100 }");
        return;
    }
    unknownKeys(*table, keys::readout);
    WhiteReadout readout;
    for (const keys::BoundKey& key : keys::bounds) {
        const toml::node* value = table->get(key.key);
        const std::optional<double> limit = value ? number(*value, key.key) : std::nullopt;
        if (!limit)
            continue;
        Bound& bound = key.upper ? readout.highBound : readout.lowBound;
        if (bound != Bound::none)
            problem(value->source(), key.upper ? "give at_most or below, not both"
                                               : "give at_least or above, not both");
        bound = key.bound;
        (key.upper ? readout.high : readout.low) = *limit;
    }
    if (!soundWhiteReadout(readout))
        problem(node.source(), "readout_white " + rangeText({readout.low, readout.high}) +
                                   " is the wrong way round or empty");
    gauge.whiteReadout = readout;
}

} // namespace

ProfileReading readAircraftProfileText(std::string_view text, std::string_view fileName) {
    const PreparedText prepared = prepareText(text, fileName);
    if (!prepared.error.empty())
        return {.profile = std::nullopt, .error = prepared.error};
    toml::parse_result parsed = toml::parse(prepared.text, fileName);
    if (!parsed) {
        const toml::source_position at = parsed.error().source().begin;
        return {.profile = std::nullopt,
                .error = lineError(fileName, at.line, at.column,
                                   std::string(parsed.error().description()))};
    }
    Reader reader(fileName);
    AircraftProfile profile = reader.read(parsed.table());
    if (std::string error = reader.firstProblem(); !error.empty())
        return {.profile = std::nullopt, .error = std::move(error)};
    return {.profile = profile, .error = {}};
}

ProfileReading readAircraftProfile(const std::string& path) {
    const FileText file = readBoundedFile(path, maxProfileBytes);
    if (!file.error.empty())
        return {.profile = std::nullopt, .error = file.error};
    return readAircraftProfileText(file.text, path);
}
