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

std::vector<std::string_view> cellsOf(const CsvReader& reader) {
    std::vector<std::string_view> cells;
    for (std::size_t i = 0; i < reader.cellCount(); ++i)
        cells.push_back(reader.cell(i));
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
// engine value column holds a number in it.
bool shortNamesRow(const CsvReader& reader, const LogLayout& layout) {
    bool named = false;
    for (const ValueColumn& column : layout.values) {
        const std::string_view cell = reader.cell(column.cell);
        if (readNumber(cell, layout.decimalComma))
            return false;
        named = named || !cell.empty();
    }
    return named;
}

void chooseTime(const std::vector<ColumnMatch>& matches, LogLayout& layout) {
    std::array<std::optional<std::uint32_t>, 5> first{};
    for (std::uint32_t i = 0; i < matches.size(); ++i)
        if (matches[i].kind == ColumnMatch::Kind::time && !first[std::size_t(matches[i].time)])
            first[std::size_t(matches[i].time)] = i;
    const auto of = [&](TimeKind kind) { return first[std::size_t(kind)]; };
    TimeColumns& time = layout.time;
    if (of(TimeKind::elapsed)) {
        time.source = TimeSource::elapsed;
        time.cell = *of(TimeKind::elapsed);
        time.scale = matches[time.cell].conversion.scale;
    } else if (of(TimeKind::dateTime)) {
        time.source = TimeSource::dateTime;
        time.cell = *of(TimeKind::dateTime);
    } else if (of(TimeKind::date) && of(TimeKind::clock)) {
        time.source = TimeSource::dateAndClock;
        time.cell = *of(TimeKind::date);
        time.clockCell = *of(TimeKind::clock);
        time.utcOffsetCell = of(TimeKind::utcOffset);
    } else if (of(TimeKind::clock)) {
        time.source = TimeSource::clock;
        time.cell = *of(TimeKind::clock);
    }
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
        } else if (first.starts_with(ownLogMarker)) {
            layout.format = LogFormat::ownRecording;
            layout.writer = first.substr(ownLogMarker.size());
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

bool bindColumns(const std::vector<std::string_view>& header, LogLayout& layout) {
    std::vector<ColumnMatch> matches;
    std::array<std::optional<std::uint32_t>, quantityCount> chosen{};
    for (std::uint32_t i = 0; i < header.size(); ++i) {
        matches.push_back(matchColumn(header[i]));
        const ColumnMatch& match = matches.back();
        if (match.kind != ColumnMatch::Kind::quantity)
            continue;
        auto& best = chosen[std::size_t(match.quantity)];
        if (!best || match.preference < matches[*best].preference)
            best = i;
    }
    layout.values.clear();
    layout.quantities.reset();
    for (const auto& cell : chosen) {
        if (!cell)
            continue;
        const ColumnMatch& match = matches[*cell];
        layout.values.push_back({*cell, match.quantity, match.conversion});
        layout.quantities.set(std::size_t(match.quantity));
    }
    layout.time = {};
    chooseTime(matches, layout);
    layout.headerCells = header.size();
    return !layout.values.empty();
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
    const std::vector<std::string_view> header = cellsOf(reader);
    if (binary(header))
        return failure(layout.headerLine, "binary data, not a text log");
    if (!bindColumns(header, layout))
        return failure(layout.headerLine,
                       "no engine value column recognised among " + someNames(header));

    layout.dataOffset = reader.offset();
    layout.dataLine = reader.line();
    if (layout.format == LogFormat::avionicsExport && reader.next() == CsvStatus::record &&
        shortNamesRow(reader, layout)) {
        layout.dataOffset = reader.offset();
        layout.dataLine = reader.line();
    }
    return {std::move(layout), 0, {}};
}
