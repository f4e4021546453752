#include "logs/RowDecoder.h"

#include "engine/Quantities.h"
#include "logs/CellNumbers.h"
#include "logs/LogTime.h"
#include "logs/QuantityAliases.h"

#include <algorithm>
#include <cmath>

namespace {

// Times beyond some thousands of years are no flight's.
constexpr double latestTime = 1e11;
constexpr double halfDay = 43200;

bool allEmpty(const CsvReader& reader) {
    if (reader.unkeptContent())
        return false;
    for (std::size_t i = 0; i < reader.cellCount(); ++i)
        if (!reader.cell(i).empty())
            return false;
    return true;
}

// A clock that goes back was set back. In a log of one row per interval, a
// step on this much longer than the interval is its clock set on, not a gap
// (a row or two lost is not); another writer may well pause.
bool clockStepped(double step, double interval, bool steadyRows) {
    constexpr double stepFactor = 4;
    constexpr double lostRowsSeconds = 2;
    return step < 0 || (steadyRows && interval > 0 &&
                        step > std::max(stepFactor * interval, interval + lostRowsSeconds));
}

double withinDay(double seconds) {
    const double wrapped = std::fmod(seconds, 86400.0);
    return wrapped < 0 ? wrapped + 86400 : wrapped;
}

std::optional<double> elapsedTime(std::string_view cell, const LogLayout& layout) {
    if (const auto seconds = readNumber(cell, layout.decimalComma))
        return *seconds * layout.time.scale;
    if (const auto clock = parseClock(cell))
        return clock;
    return parseDateTime(cell);
}

} // namespace

std::string_view describe(RowVerdict verdict) {
    switch (verdict) {
    case RowVerdict::good:
        return "good";
    case RowVerdict::blank:
        return "blank";
    case RowVerdict::tooLong:
        return "row longer than 1 MiB";
    case RowVerdict::tooManyCells:
        return "row of more than 4096 cells";
    case RowVerdict::cutShort:
        return "row cut short at the end of the file";
    case RowVerdict::noTime:
        return "no readable time";
    case RowVerdict::timeBackwards:
        return "time goes backwards";
    }
    return "unknown";
}

std::string printable(std::string_view text, std::size_t longest) {
    std::string shown;
    for (const char c : text.substr(0, longest))
        shown.push_back((c >= 0 && c < ' ') || c == 127 ? '?' : c);
    return text.size() > longest ? shown + "..." : shown;
}

std::string_view describe(CellFault fault) {
    switch (fault) {
    case CellFault::notNumber:
        return "not a number";
    case CellFault::outOfRange:
        return "out of range for its quantity";
    }
    return "unknown";
}

std::optional<double> RowDecoder::dateAndClock(const CsvReader& reader) const {
    const TimeColumns& time = layout.time;
    const auto days = parseDate(reader.cell(time.cell));
    const auto clock = parseClock(reader.cell(time.clockCell));
    const bool offsetUsed =
        time.utcOffsetCell && (time.pairing != ClockPairing::sameClock || !time.dateIsUtc);
    const auto offset =
        offsetUsed ? parseUtcOffset(reader.cell(*time.utcOffsetCell)) : std::optional<double>(0.0);
    if (!days || !clock || !offset)
        return std::nullopt;
    double ofDay = *clock;
    if (time.pairing == ClockPairing::utcTimeLocalDate)
        ofDay = withinDay(ofDay + *offset);
    else if (time.pairing == ClockPairing::localTimeUtcDate)
        ofDay = withinDay(ofDay - *offset);
    const double stamp = double(*days) * 86400.0 + ofDay;
    return time.dateIsUtc ? stamp : stamp - *offset;
}

std::optional<double> RowDecoder::ownTime(const CsvReader& reader, const TimeTrack& track) const {
    const TimeColumns& time = layout.time;
    const std::string_view cell = reader.cell(time.cell);
    switch (time.source) {
    case TimeSource::rowNumber:
        return double(track.rows);
    case TimeSource::elapsed:
        return elapsedTime(cell, layout);
    case TimeSource::dateTime:
        if (const auto stamp = parseDateTime(cell))
            return stamp;
        return readNumber(cell, layout.decimalComma);
    case TimeSource::dateAndClock:
        return dateAndClock(reader);
    case TimeSource::clock:
        return parseClock(cell);
    }
    return std::nullopt;
}

RowVerdict RowDecoder::judge(CsvStatus status, const CsvReader& reader, TimeTrack& track,
                             double& time) const {
    if (status == CsvStatus::tooLong)
        return RowVerdict::tooLong;
    if (status == CsvStatus::tooManyCells)
        return RowVerdict::tooManyCells;
    if (allEmpty(reader))
        return RowVerdict::blank;
    // Our recorder ends every row; another writer may leave the last line
    // open, but then its row has every cell.
    if (!reader.terminated() &&
        (layout.format == LogFormat::ownRecording || reader.cellCount() < layout.headerCells))
        return RowVerdict::cutShort;

    const std::optional<double> own = ownTime(reader, track);
    if (!own || std::fabs(*own) > latestTime)
        return RowVerdict::noTime;
    TimeTrack moved = track;
    const std::optional<double> placed = place(*own, moved);
    if (!placed)
        return RowVerdict::timeBackwards;
    track = moved;
    time = *placed;
    return RowVerdict::good;
}

std::optional<double> RowDecoder::place(double own, TimeTrack& track) const {
    const double shifted = own + track.shift;
    if (std::isnan(track.origin))
        track.origin = shifted;
    double relative = shifted - track.origin;
    double step = relative - track.last;
    if (track.rows > 0 && layout.time.fromClock()) {
        // A time of day alone passes midnight.
        if (layout.time.source == TimeSource::clock && step < -halfDay) {
            track.shift += 86400;
            relative += 86400;
            step += 86400;
        }
        if (clockStepped(step, track.interval, layout.time.steadyRows)) {
            const double sequenced = track.last + (track.interval > 0 ? track.interval : 1.0);
            track.shift += sequenced - relative;
            relative = sequenced;
            ++track.corrections;
        } else if (step > 0) {
            track.interval = step;
        }
    } else if (step < 0) {
        return std::nullopt;
    }
    track.last = relative;
    ++track.rows;
    return relative;
}

void RowDecoder::readValues(const CsvReader& reader, EngineSample& sample) const {
    sample.present.reset();
    sample.values.fill(0);
    for (const ValueColumn& column : layout.values) {
        const std::optional<double> raw = readNumber(reader.cell(column.cell), layout.decimalComma);
        if (!raw)
            continue;
        const double value = column.toScreen(*raw);
        if (plausible(column.quantity, value))
            sample.set(column.quantity, float(value));
    }
}

void RowDecoder::countBadCells(const CsvReader& reader, CellCounts& counts,
                               std::array<FirstBadCell, cellFaultCount>& first) const {
    for (const ValueColumn& column : layout.values) {
        const std::string_view cell = reader.cell(column.cell);
        if (cell.empty())
            continue;
        const std::optional<double> raw = readNumber(cell, layout.decimalComma);
        if (raw && plausible(column.quantity, column.toScreen(*raw)))
            continue;
        const auto fault = std::size_t(raw ? CellFault::outOfRange : CellFault::notNumber);
        if (counts[fault]++ == 0 && !first[fault].line)
            first[fault] = {reader.recordLine(), column.cell, printable(cell, 16)};
    }
}
