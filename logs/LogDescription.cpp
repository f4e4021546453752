#include "logs/LogDescription.h"

#include "engine/Quantities.h"
#include "logs/LogTime.h"
#include "logs/QuantityAliases.h"
#include "logs/RowDecoder.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

// What each kind of time column holds, in the order of TimeKind.
constexpr auto timeKindNames = std::to_array<std::string_view>({
    "seconds from the start",
    "date and time",
    "date",
    "time of day",
    "UTC offset",
});
static_assert(timeKindNames.size() == std::size_t(TimeKind::utcOffset) + 1);

constexpr auto clockNames = std::to_array<std::string_view>({"", "local ", "UTC "});
static_assert(clockNames.size() == std::size_t(TimeClock::utc) + 1);

std::string column(std::uint32_t cell) {
    return "column " + std::to_string(cell + 1);
}

// The unit the header gives (the long name's, then the short name's that
// matched), or the one a name without a unit is taken in.
std::string unitOf(const LogLayout& layout, std::uint32_t cell) {
    const ColumnMatch& match = layout.matches[cell];
    if (const std::string_view unit = splitHeader(layout.names[cell]).unit; !unit.empty())
        return std::string(unit);
    if (layout.matchedShortName[cell])
        if (const std::string_view unit = splitHeader(layout.shortNames[cell]).unit; !unit.empty())
            return std::string(unit);
    const QuantityAlias& alias = quantityAliases[match.preference];
    return std::string(unitRow(impliedUnit(alias)).symbol);
}

std::optional<std::uint32_t> cellOf(const LogLayout& layout, Quantity quantity) {
    for (const ValueColumn& value : layout.values)
        if (value.quantity == quantity)
            return value.cell;
    return std::nullopt;
}

bool timeUsed(const TimeColumns& time, std::uint32_t cell) {
    if (time.source == TimeSource::rowNumber)
        return false;
    return cell == time.cell ||
           (time.source == TimeSource::dateAndClock &&
            (cell == time.clockCell || (time.utcOffsetCell && cell == *time.utcOffsetCell)));
}

std::string columnUse(const LogLayout& layout, std::uint32_t cell) {
    const ColumnMatch& match = layout.matches[cell];
    if (match.kind == ColumnMatch::Kind::quantity) {
        const std::string title(quantityRow(match.quantity).title);
        const auto used = cellOf(layout, match.quantity);
        if (used && *used == cell) {
            const bool converted = match.conversion.scale != 1 || match.conversion.offset != 0;
            const std::string screen(unitRow(quantityRow(match.quantity).screenUnit).symbol);
            return title + ", " + unitOf(layout, cell) +
                   (converted ? " (shown in " + screen + ")" : "");
        }
        return "not used (" + title + " is read from " + column(*used) + ")";
    }
    if (match.kind == ColumnMatch::Kind::time && timeUsed(layout.time, cell))
        return "time: " + std::string(clockNames[std::size_t(match.clock)]) +
               std::string(timeKindNames[std::size_t(match.time)]);
    return "not used";
}

std::string columnLines(const LogLayout& layout) {
    std::string text = "columns (header on line " + std::to_string(layout.headerLine) +
                       (layout.shortNames.empty() ? "" : ", short names beneath it") + "):\n";
    for (std::uint32_t cell = 0; cell < layout.names.size(); ++cell) {
        std::string name = "\"" + printable(layout.names[cell], 64) + "\"";
        if (cell < layout.shortNames.size() && !layout.shortNames[cell].empty() &&
            layout.shortNames[cell] != layout.names[cell])
            name += " / \"" + printable(layout.shortNames[cell], 64) + "\"";
        if (layout.matchedShortName[cell])
            name += " (by its short name)";
        char number[16];
        std::snprintf(number, sizeof number, "%4u  ", unsigned(cell + 1));
        text += number + name + " -> " + columnUse(layout, cell) + "\n";
    }
    return text;
}

std::string timeLine(const LogLayout& layout) {
    const TimeColumns& time = layout.time;
    switch (time.source) {
    case TimeSource::rowNumber:
        return "no time column: a row a second";
    case TimeSource::elapsed:
        return "seconds from the start in " + column(time.cell);
    case TimeSource::dateTime:
        return "date and time in " + column(time.cell);
    case TimeSource::clock:
        return "time of day alone in " + column(time.cell) + ", a day added at midnight";
    case TimeSource::dateAndClock:
        break;
    }
    const auto clockOf = [&](std::uint32_t cell) {
        return std::string(clockNames[std::size_t(layout.matches[cell].clock)]);
    };
    std::string text = clockOf(time.cell) + "date in " + column(time.cell) + " with the " +
                       clockOf(time.clockCell) + "time of day in " + column(time.clockCell);
    if (time.pairing != ClockPairing::sameClock)
        text += " moved onto the date's clock by the UTC offset";
    if (time.utcOffsetCell && (!time.dateIsUtc || time.pairing != ClockPairing::sameClock))
        text += ", less the UTC offset in " + column(*time.utcOffsetCell) + ", as UTC";
    return text;
}

// A row's own time as the log wrote it.
std::string ownTime(const TimeColumns& time, double seconds) {
    if (std::isnan(seconds))
        return "--";
    if (time.source != TimeSource::dateTime && time.source != TimeSource::dateAndClock)
        return formatLogClock(seconds);
    using namespace std::chrono;
    const auto day = std::floor(seconds / 86400);
    const year_month_day date{sys_days(days(static_cast<long long>(day)))};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u ", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()));
    const bool utc = time.source == TimeSource::dateAndClock &&
                     (time.dateIsUtc || time.utcOffsetCell.has_value());
    return text + formatLogClock(seconds - day * 86400) + (utc ? " UTC" : "");
}

std::string counted(std::uint64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string skippedLines(const LogProgress& progress) {
    if (!progress.badRows)
        return "skipped rows: none\n";
    std::string text = "skipped rows: " + std::to_string(progress.badRows) + "\n";
    for (std::size_t i = 0; i < skipReasonCount; ++i)
        if (progress.skipped[i])
            text += "  " + std::to_string(progress.skipped[i]) + " " +
                    std::string(describe(RowVerdict(i + std::size_t(RowVerdict::tooLong)))) +
                    ", the first on line " + std::to_string(progress.firstSkippedLine[i]) + "\n";
    return text;
}

std::string cellLines(const LogProgress& progress) {
    std::string text;
    for (std::size_t i = 0; i < cellFaultCount; ++i)
        if (progress.badCells[i])
            text += "  " + std::to_string(progress.badCells[i]) + " " +
                    std::string(describe(CellFault(i))) + ", the first on " +
                    progress.firstBadCell[i] + "\n";
    return text.empty() ? "unreadable cells: none\n" : "unreadable cells:\n" + text;
}

std::string formatLine(const EngineLog& log) {
    const LogLayout& layout = log.layout();
    std::string text = "format: " + std::string(describe(layout.format));
    if (!layout.writer.empty())
        text += ", written by " + layout.writer;
    if (!layout.aircraft.empty())
        text += ", aircraft " + layout.aircraft;
    const char separator[] = {'"', layout.separator, '"', '\0'};
    text += std::string(", separated by ") + (layout.separator == '\t' ? "tabs" : separator);
    return text + (layout.decimalComma ? ", decimal comma\n" : "\n");
}

} // namespace

std::string describeLog(const EngineLog& log) {
    const LogLayout& layout = log.layout();
    const LogProgress progress = log.progress();
    std::string text =
        "file: " + printable(log.name(), 4096) + "\n" + formatLine(log) + columnLines(layout);
    text += "time: " + timeLine(layout) + "\n";
    text += "rows: " + std::to_string(progress.rows) + ", the first at " +
            ownTime(layout.time, progress.firstTime) + ", the last at " +
            ownTime(layout.time, progress.lastTime) + "\n";
    text += "length: " + formatLogClock(progress.length) + "\n";
    text += "clock corrections: " +
            (progress.clockCorrections ? counted(progress.clockCorrections,
                                                 "step of the log's clock taken as a correction",
                                                 "steps of the log's clock taken as corrections") +
                                             ", every row kept in its place"
                                       : std::string("none")) +
            "\n";
    return text + skippedLines(progress) + cellLines(progress);
}
