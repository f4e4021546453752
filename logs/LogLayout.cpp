#include "logs/LogLayout.h"

#include "logs/CellNumbers.h"
#include "logs/ColumnMatch.h"
#include "logs/CsvReader.h"
#include "logs/RecordColumns.h"

#include <algorithm>
#include <array>

namespace {

constexpr int maxCommentLines = 64;
constexpr std::string_view avionicsMarker = "#airframe_info";

LayoutReading failure(std::uint64_t line, std::string problem) {
    return {std::nullopt, line, std::move(problem)};
}

std::vector<std::string> cellsOf(const CsvReader& reader) {
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < reader.cellCount(); ++i)
        cells.emplace_back(reader.cell(i));
    return cells;
}

// The separator used most in the header row outside quotes; ',' on a tie.
char countSeparators(std::string_view row) {
    std::array<std::size_t, 3> counts{};
    constexpr std::array<char, 3> candidates{',', ';', '\t'};
    bool quoted = false;
    for (const char c : row) {
        if (c == '"')
            quoted = !quoted;
        for (std::size_t i = 0; i < candidates.size(); ++i)
            if (!quoted && c == candidates[i])
                ++counts[i];
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < counts.size(); ++i)
        if (counts[i] > counts[best])
            best = i;
    return candidates[best];
}

char detectSeparator(const ByteSource& source, std::uint64_t from, std::uint64_t to) {
    std::string row(std::size_t(to - from), '\0');
    row.resize(source.read(from, row.data(), row.size()));
    return countSeparators(row);
}

// A few of the header's names for the message when none is recognised.
std::string someNames(const std::vector<std::string_view>& header) {
    std::string names;
    for (std::size_t i = 0; i < header.size() && i < 4; ++i) {
        std::string name;
        for (const char c : header[i].substr(0, 24))
            name.push_back(c >= ' ' && c < 127 ? c : '?');
        names += (i ? ", \"" : "\"") + name + "\"";
    }
    return header.size() > 4 ? names + ", ..." : names;
}

bool binary(const std::vector<std::string_view>& cells) {
    for (const std::string_view cell : cells)
        if (cell.find('\0') != std::string_view::npos)
            return true;
    return false;
}

// The avionics export's second header row of short names ("E1 RPM"): no
// cell in it holds a number, and some cell names a column we read.
bool shortNamesRow(const CsvReader& reader, bool decimalComma) {
    bool named = false;
    for (std::size_t i = 0; i < reader.cellCount(); ++i) {
        const std::string_view cell = reader.cell(i);
        if (readNumber(cell, decimalComma))
            return false;
        named = named || matchColumn(cell).kind != ColumnMatch::Kind::none;
    }
    return named;
}

// Which date goes with which time of day, best first: both of one clock (a
// column that does not say goes with either), else, with the UTC offset,
// the time of day moved onto the date's clock.
struct ClockPair {
    TimeClock date;
    TimeClock time;
    ClockPairing pairing;
};
constexpr std::size_t clockPairCount = 9;
constexpr auto clockPairs = std::to_array<ClockPair>({
    {.date = TimeClock::utc, .time = TimeClock::utc, .pairing = ClockPairing::sameClock},
    {.date = TimeClock::local, .time = TimeClock::local, .pairing = ClockPairing::sameClock},
    {.date = TimeClock::unnamed, .time = TimeClock::unnamed, .pairing = ClockPairing::sameClock},
    {.date = TimeClock::utc, .time = TimeClock::unnamed, .pairing = ClockPairing::sameClock},
    {.date = TimeClock::unnamed, .time = TimeClock::utc, .pairing = ClockPairing::sameClock},
    {.date = TimeClock::local, .time = TimeClock::unnamed, .pairing = ClockPairing::sameClock},
    {.date = TimeClock::unnamed, .time = TimeClock::local, .pairing = ClockPairing::sameClock},
    {.date = TimeClock::local, .time = TimeClock::utc, .pairing = ClockPairing::utcTimeLocalDate},
    {.date = TimeClock::utc, .time = TimeClock::local, .pairing = ClockPairing::localTimeUtcDate},
});
static_assert(clockPairs.size() == clockPairCount);

// The first column of each kind of time, dates and times of day by clock.
struct TimeFinds {
    using Firsts = std::array<std::optional<std::uint32_t>, 3>;
    std::array<std::optional<std::uint32_t>, 5> kind{};
    Firsts dates{};
    Firsts clocks{};

    explicit TimeFinds(const std::vector<ColumnMatch>& matches) {
        for (std::uint32_t i = 0; i < matches.size(); ++i) {
            const ColumnMatch& match = matches[i];
            if (match.kind != ColumnMatch::Kind::time)
                continue;
            const auto take = [i](std::optional<std::uint32_t>& first) {
                first = first.value_or(i);
            };
            take(kind[std::size_t(match.time)]);
            if (match.time == TimeKind::date)
                take(dates[std::size_t(match.clock)]);
            if (match.time == TimeKind::clock)
                take(clocks[std::size_t(match.clock)]);
        }
    }
    std::optional<std::uint32_t> of(TimeKind k) const { return kind[std::size_t(k)]; }
};

bool pairDateAndClock(const TimeFinds& finds, const std::vector<ColumnMatch>& matches,
                      TimeColumns& time) {
    time.utcOffsetCell = finds.of(TimeKind::utcOffset);
    for (const ClockPair& pair : clockPairs) {
        const auto date = finds.dates[std::size_t(pair.date)];
        const auto clock = finds.clocks[std::size_t(pair.time)];
        if (!date || !clock || (pair.pairing != ClockPairing::sameClock && !time.utcOffsetCell))
            continue;
        time.source = TimeSource::dateAndClock;
        time.cell = *date;
        time.clockCell = *clock;
        time.pairing = pair.pairing;
        time.dateIsUtc = matches[*date].clock == TimeClock::utc ||
                         (pair.pairing == ClockPairing::sameClock && pair.time == TimeClock::utc);
        return true;
    }
    time.utcOffsetCell.reset();
    return false;
}

// A time of day alone, UTC first: it has no summer time to jump.
void timeOfDayAlone(const TimeFinds& finds, TimeColumns& time) {
    for (const TimeClock clock : {TimeClock::utc, TimeClock::unnamed, TimeClock::local}) {
        if (const auto cell = finds.clocks[std::size_t(clock)]) {
            time.source = TimeSource::clock;
            time.cell = *cell;
            return;
        }
    }
}

// "Time" beside a date is its time of day, not seconds from a start.
void timeOfDayBesideDate(std::vector<ColumnMatch>& matches) {
    const auto isDate = [](const ColumnMatch& m) {
        return m.kind == ColumnMatch::Kind::time && m.time == TimeKind::date;
    };
    if (std::none_of(matches.begin(), matches.end(), isDate))
        return;
    for (ColumnMatch& match : matches)
        if (match.kind == ColumnMatch::Kind::time && match.time == TimeKind::elapsed &&
            timeAliases[match.preference].key == "time")
            match.time = TimeKind::clock;
}

void chooseTime(std::vector<ColumnMatch>& matches, LogLayout& layout) {
    timeOfDayBesideDate(matches);
    const TimeFinds finds(matches);
    TimeColumns& time = layout.time;
    time.steadyRows = layout.format == LogFormat::avionicsExport;
    if (const auto elapsed = finds.of(TimeKind::elapsed)) {
        time.source = TimeSource::elapsed;
        time.cell = *elapsed;
        time.scale = matches[time.cell].conversion.scale;
    } else if (const auto stamp = finds.of(TimeKind::dateTime)) {
        time.source = TimeSource::dateTime;
        time.cell = *stamp;
    } else if (!pairDateAndClock(finds, matches, time)) {
        timeOfDayAlone(finds, time);
    }
}

// "key=\"value\"" cells of the export's first line: the aircraft's
// registration, printable and short, or nothing.
std::string aircraftIdent(const CsvReader& reader) {
    constexpr std::size_t longest = 10;
    for (std::size_t i = 1; i < reader.cellCount(); ++i) {
        const std::string_view cell = reader.cell(i);
        const std::size_t equals = cell.find('=');
        if (equals == std::string_view::npos)
            continue;
        const NameKey key = nameKey(cell.substr(0, equals));
        if (key.view() != "aircraftident" && key.view() != "tail" && key.view() != "tailnumber")
            continue;
        std::string_view value = cell.substr(equals + 1);
        while (!value.empty() && (value.front() == '"' || value.front() == ' '))
            value.remove_prefix(1);
        while (!value.empty() && (value.back() == '"' || value.back() == ' '))
            value.remove_suffix(1);
        const bool printable =
            std::all_of(value.begin(), value.end(), [](char c) { return c > ' ' && c < 127; });
        if (!value.empty() && value.size() <= longest && printable)
            return std::string(value);
    }
    return {};
}

// Reads past the comment lines before the header row, noting the format
// they name; stops on the header row, with its status.
std::optional<LayoutReading> passComments(CsvReader& reader, CsvStatus& status, LogLayout& layout) {
    for (int comments = 0;; ++comments) {
        status = reader.next();
        if (status == CsvStatus::end)
            return failure(reader.line() - 1, comments ? "no header row after the comment lines"
                                                       : "no header row, only blank lines");
        const std::string_view first = reader.cell(0);
        if (status != CsvStatus::record || first.empty() || first.front() != '#')
            return std::nullopt;
        if (comments == maxCommentLines)
            return failure(reader.recordLine(), "no header row after 64 comment lines");
        if (first.starts_with(avionicsMarker)) {
            layout.format = LogFormat::avionicsExport;
            layout.aircraft = aircraftIdent(reader);
        } else if (first.starts_with(ownLogMarker)) {
            layout.format = LogFormat::ownRecording;
            layout.writer = first.substr(ownLogMarker.size());
            layout.aircraft = aircraftIdent(reader);
        }
    }
}

} // namespace

std::size_t TimeColumns::timeCells() const {
    if (source == TimeSource::rowNumber)
        return 0;
    const std::uint32_t last = std::max({cell, clockCell, utcOffsetCell.value_or(0)});
    return std::size_t(last) + 1;
}

bool bindColumns(const std::vector<std::string_view>& header, LogLayout& layout,
                 const std::vector<std::string_view>& shortNames) {
    layout.names.assign(header.begin(), header.end());
    layout.shortNames.assign(shortNames.begin(), shortNames.end());
    layout.matches.clear();
    layout.matchedShortName.assign(header.size(), false);
    std::array<std::optional<std::uint32_t>, quantityCount> chosen{};
    for (std::uint32_t i = 0; i < header.size(); ++i) {
        ColumnMatch match = matchColumn(header[i]);
        if (match.kind == ColumnMatch::Kind::none && i < shortNames.size()) {
            // The long name carries the unit: "Oil Temperature (deg C)" over "E1 OilT".
            match = matchColumn(shortNames[i], splitHeader(header[i]).unit);
            layout.matchedShortName[i] = match.kind != ColumnMatch::Kind::none;
        }
        layout.matches.push_back(match);
        if (match.kind != ColumnMatch::Kind::quantity)
            continue;
        auto& best = chosen[std::size_t(match.quantity)];
        if (!best || match.preference < layout.matches[*best].preference)
            best = i;
    }
    layout.values.clear();
    layout.quantities.reset();
    for (const auto& cell : chosen) {
        if (!cell)
            continue;
        const ColumnMatch& match = layout.matches[*cell];
        layout.values.push_back({*cell, match.quantity, match.conversion});
        layout.quantities.set(std::size_t(match.quantity));
    }
    layout.time = {};
    chooseTime(layout.matches, layout);
    layout.headerCells = header.size();
    return !layout.values.empty();
}

std::size_t neededCells(const LogLayout& layout) {
    std::size_t needed = layout.time.timeCells();
    for (const ValueColumn& column : layout.values)
        needed = std::max(needed, std::size_t(column.cell) + 1);
    return needed;
}

LayoutReading readLayout(const ByteSource& source) {
    // A text log has no NUL byte; its first few kilobytes tell.
    std::string head(4096, '\0');
    head.resize(source.read(0, head.data(), head.size()));
    if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF"))
        return failure(1, "UTF-16 text; save the log as UTF-8");
    if (const std::size_t nul = head.find('\0'); nul != std::string::npos)
        return failure(1 + std::uint64_t(std::count(head.begin(), head.begin() + long(nul), '\n')),
                       "binary data, not a text log");

    LogLayout layout;
    CsvReader reader(source, ',');
    CsvStatus status = CsvStatus::end;
    if (auto problem = passComments(reader, status, layout))
        return std::move(*problem);

    layout.headerLine = reader.recordLine();
    if (status == CsvStatus::record) {
        layout.separator = detectSeparator(source, reader.recordStart(), reader.offset());
        layout.decimalComma = layout.separator == ';';
        reader.setSeparator(layout.separator);
        reader.seek(reader.recordStart(), layout.headerLine);
        status = reader.next();
    }
    if (status == CsvStatus::tooLong)
        return failure(layout.headerLine, "header row longer than 1 MiB");
    if (status == CsvStatus::tooManyCells)
        return failure(layout.headerLine, "header row of more than 4096 columns");
    const std::vector<std::string> header = cellsOf(reader);
    const std::vector<std::string_view> headerViews(header.begin(), header.end());
    if (binary(headerViews))
        return failure(layout.headerLine, "binary data, not a text log");
    layout.dataOffset = reader.offset();
    layout.dataLine = reader.line();
    std::vector<std::string> shortNames;
    if (layout.format == LogFormat::avionicsExport && reader.next() == CsvStatus::record &&
        shortNamesRow(reader, layout.decimalComma)) {
        shortNames = cellsOf(reader);
        layout.dataOffset = reader.offset();
        layout.dataLine = reader.line();
    }
    if (!bindColumns(headerViews, layout, {shortNames.begin(), shortNames.end()}))
        return failure(layout.headerLine,
                       "no engine value column recognised among " + someNames(headerViews));
    return {std::move(layout), 0, {}};
}
