#include "tools/SnapshotOptions.h"

#include "aircraft/ProfileReader.h"
#include "engine/EngineFields.h"
#include "engine/TableChecks.h"
#include "logs/LogTime.h"
#include "tools/EngineFieldsByName.h"

#include <array>
#include <charconv>
#include <limits>

namespace {

template <class Number>
std::optional<Number> parseNumber(std::string_view text) {
    Number number{};
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, number);
    if (text.empty() || error != std::errc() || end != last)
        return std::nullopt;
    return number;
}

// "name" or "name[i]".
bool splitIndex(std::string_view target, std::string& name, int& index) {
    const auto open = target.find('[');
    if (open == std::string_view::npos) {
        name = target;
        index = -1;
        return true;
    }
    if (target.back() != ']')
        return false;
    const auto parsed = parseNumber<int>(target.substr(open + 1, target.size() - open - 2));
    if (!parsed)
        return false;
    name = target.substr(0, open);
    index = *parsed;
    return true;
}

template <class Table>
const auto* findByName(const Table& table, std::string_view name) {
    for (const auto& row : table)
        if (row.name == name)
            return &row;
    return static_cast<decltype(&table[0])>(nullptr);
}

// FIELD=VALUE, the value read as the field's own type.
std::optional<FieldAssignment> parseAssignment(std::string_view text, std::string& error) {
    const auto equals = text.find('=');
    FieldAssignment assignment;
    if (equals == std::string_view::npos ||
        !splitIndex(text.substr(0, equals), assignment.field, assignment.index)) {
        error = "--set wants FIELD=VALUE or FIELD[i]=VALUE, not '" + std::string(text) + "'";
        return std::nullopt;
    }
    const std::string_view value = text.substr(equals + 1);
    const bool indexed = assignment.index >= 0;
    std::optional<FieldAssignment> result;
    if (findEngineFloatField(assignment.field) && !indexed) {
        if (const auto number = parseNumber<float>(value))
            result = FieldAssignment{assignment.field, -1, *number};
    } else if (findByName(spreadFields, assignment.field)) {
        if (assignment.index < 0 || assignment.index > 5) {
            error = "--set " + assignment.field + " needs an index 0..5, as in " +
                    assignment.field + "[2]=1.05";
            return std::nullopt;
        }
        if (const auto number = parseNumber<double>(value))
            result = FieldAssignment{assignment.field, assignment.index, *number};
    } else if ((findByName(flagFields, assignment.field) ||
                assignment.field == selectedCylinderField) &&
               !indexed) {
        const long long limit = assignment.field == selectedCylinderField
                                    ? 255
                                    : std::numeric_limits<std::int32_t>::max();
        const auto number = parseNumber<long long>(value);
        if (number && *number >= 0 && *number <= limit)
            result = FieldAssignment{assignment.field, -1, *number};
    } else {
        error = "--set: no engine field '" + std::string(text.substr(0, equals)) + "'";
        return std::nullopt;
    }
    if (!result)
        error = "--set: '" + std::string(value) + "' is not a value for " + assignment.field;
    return result;
}

// Each option's reader: an empty result, or the one-line error.
std::string readSet(std::string_view value, SnapshotOptions& options) {
    std::string error;
    auto assignment = parseAssignment(value, error);
    if (assignment)
        options.assignments.push_back(std::move(*assignment));
    return error;
}

std::string readTicks(std::string_view value, SnapshotOptions& options) {
    const auto ticks = parseNumber<long long>(value);
    if (!ticks || *ticks < 0 || *ticks > 10'000'000)
        return "--ticks needs a whole number from 0 to 10000000";
    options.ticks = *ticks;
    return {};
}

std::string readSeed(std::string_view value, SnapshotOptions& options) {
    const auto seed = parseNumber<std::uint32_t>(value);
    if (!seed)
        return "--seed needs a whole number from 0 to 4294967295";
    options.seed = *seed;
    return {};
}

std::string readSize(std::string_view value, SnapshotOptions& options) {
    options.size = parseClientSize(value);
    return options.size ? std::string()
                        : "--size needs WIDTHxHEIGHT, each 1 to 16384, as in 586x822";
}

std::string readReplay(std::string_view value, SnapshotOptions& options) {
    if (value.empty())
        return "--replay needs a log file";
    options.replay = std::string(value);
    return {};
}

std::string readAt(std::string_view value, SnapshotOptions& options) {
    options.at = parseLogPosition(value);
    return options.at ? std::string()
                      : "--at needs a time from the log's first row: seconds or "
                        "hh:mm:ss, not '" +
                            std::string(value) + "'";
}

std::string readLean(std::string_view value, SnapshotOptions& options) {
    options.lean = parseLogPosition(value);
    return options.lean ? std::string()
                        : "--lean needs the time L was pressed: seconds or hh:mm:ss from the "
                          "log's first row, not '" +
                              std::string(value) + "'";
}

std::string readAircraft(std::string_view value, SnapshotOptions& options) {
    ProfileReading reading = readAircraftProfile(std::string(value));
    options.aircraft = std::move(reading.profile);
    return reading.error;
}

std::string readReview(std::string_view value, SnapshotOptions& options) {
    const bool png = value.ends_with(".png") || value.ends_with(".PNG");
    const bool svg = value.ends_with(".svg") || value.ends_with(".SVG");
    if (!png && !svg)
        return "--review needs a file ending .png or .svg, not '" + std::string(value) + "'";
    options.review = std::string(value);
    return {};
}

struct ValueOption {
    std::string_view name;
    std::string (*read)(std::string_view value, SnapshotOptions& options);
};

// --set, --ticks, --seed, --size, --replay, --at, --lean, --aircraft, --review
constexpr std::size_t valueOptionCount = 9;
constexpr auto valueOptions = std::to_array<ValueOption>({
    {.name = "--set", .read = readSet},
    {.name = "--ticks", .read = readTicks},
    {.name = "--seed", .read = readSeed},
    {.name = "--size", .read = readSize},
    {.name = "--replay", .read = readReplay},
    {.name = "--at", .read = readAt},
    {.name = "--lean", .read = readLean},
    {.name = "--aircraft", .read = readAircraft},
    {.name = "--review", .read = readReview},
});
static_assert(valueOptions.size() == valueOptionCount &&
              noNullPointers(valueOptions, &ValueOption::read));

// The error for one argument (and the value it takes, from `rest` unless given
// after '='), or an empty string.
std::string readArgument(std::string_view argument, std::span<const std::string_view>& rest,
                         SnapshotOptions& options) {
    if (argument == "--screen-only") {
        options.screenOnly = true;
        return {};
    }
    if (argument == "--describe") {
        options.describe = true;
        return {};
    }
    if (argument == "--alarms") {
        options.alarms = true;
        return {};
    }
    if (argument.size() < 2 || argument.front() != '-') {
        if (!options.output.empty())
            return "one OUTPUT.png only, not also '" + std::string(argument) + "'";
        options.output = argument;
        return {};
    }
    const auto equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    for (const ValueOption& option : valueOptions) {
        if (option.name != name)
            continue;
        if (equals != std::string_view::npos)
            return option.read(argument.substr(equals + 1), options);
        if (rest.empty())
            return std::string(name) + " needs a value";
        const std::string_view value = rest.front();
        rest = rest.subspan(1);
        return option.read(value, options);
    }
    return "unknown option '" + std::string(argument) + "'";
}

// What --review cannot go with: it draws the whole log, not a moment of it.
std::string reviewConflict(const SnapshotOptions& options) {
    if (!options.replay)
        return "--review needs --replay FILE";
    if (!options.output.empty())
        return "--review writes its own file: no OUTPUT.png";
    if (options.describe || options.at || options.screenOnly || !options.assignments.empty() ||
        options.ticks > 0)
        return "--review draws the whole log: no --at, --describe, --screen-only, --set or --ticks";
    return {};
}

// What --lean needs: a replay, and the moment shown at or after the L.
std::string leanConflict(const SnapshotOptions& options) {
    if (!options.replay)
        return "--lean needs --replay FILE and --at TIME";
    if (options.review || options.describe)
        return "--lean shows one moment: no --review or --describe";
    if (!options.at)
        return "--lean needs --at TIME, the moment shown";
    if (*options.at < *options.lean)
        return "--at " + formatLogClock(*options.at) + " is before --lean " +
               formatLogClock(*options.lean) + ": the moment shown comes after the L";
    return {};
}

} // namespace

ParsedCommandLine parseSnapshotCommandLine(std::span<const std::string_view> arguments) {
    ParsedCommandLine parsed;
    SnapshotOptions options;
    while (!arguments.empty()) {
        const std::string_view argument = arguments.front();
        arguments = arguments.subspan(1);
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
            return parsed;
        }
        parsed.error = readArgument(argument, arguments, options);
        if (!parsed.error.empty())
            return parsed;
    }
    if (options.lean) {
        parsed.error = leanConflict(options);
        if (!parsed.error.empty())
            return parsed;
    }
    if (options.review) {
        parsed.error = reviewConflict(options);
        if (!parsed.error.empty())
            return parsed;
        parsed.options = std::move(options);
        return parsed;
    }
    if (options.describe && !options.replay) {
        parsed.error = "--describe needs --replay FILE";
        return parsed;
    }
    if (options.describe && !options.output.empty()) {
        parsed.error = "--describe prints and draws nothing: no OUTPUT.png";
        return parsed;
    }
    if (options.output.empty() && !options.describe) {
        parsed.error = "no OUTPUT.png given";
        return parsed;
    }
    if (options.at && !options.replay) {
        parsed.error = "--at needs --replay";
        return parsed;
    }
    if (options.replay && options.ticks > 0) {
        parsed.error = "--ticks runs the model and --replay shows a log: choose one";
        return parsed;
    }
    parsed.options = std::move(options);
    return parsed;
}

bool applyAssignment(EngineState& record, const FieldAssignment& assignment) {
    if (const auto* field = findEngineFloatField(assignment.field);
        field && std::holds_alternative<float>(assignment.value)) {
        record.*field->member = std::get<float>(assignment.value);
        return true;
    }
    if (const auto* field = findByName(spreadFields, assignment.field);
        field && assignment.index >= 0 && assignment.index < 6 &&
        std::holds_alternative<double>(assignment.value)) {
        (record.*field->member)[assignment.index] = std::get<double>(assignment.value);
        return true;
    }
    if (!std::holds_alternative<long long>(assignment.value))
        return false;
    const long long number = std::get<long long>(assignment.value);
    if (assignment.field == selectedCylinderField && number >= 0 && number <= 255) {
        record.selectedCylinder = static_cast<std::uint8_t>(number);
        return true;
    }
    if (const auto* field = findByName(flagFields, assignment.field);
        field && number >= 0 && number <= std::numeric_limits<std::int32_t>::max()) {
        record.*field->member = static_cast<std::int32_t>(number);
        return true;
    }
    return false;
}
