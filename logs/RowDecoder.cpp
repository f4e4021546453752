#include "logs/RowDecoder.h"

#include "engine/PlausibleRanges.h"
#include "logs/CellNumbers.h"
#include "logs/LogTime.h"
#include "logs/QuantityColumns.h"

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
    case TimeSource::dateAndClock: {
        const auto days = parseDate(cell);
        const auto clock = parseClock(reader.cell(time.clockCell));
        std::optional<double> offset = 0.0;
        if (time.utcOffsetCell)
            offset = parseUtcOffset(reader.cell(*time.utcOffsetCell));
        if (!days || !clock || !offset)
            return std::nullopt;
        return double(*days) * 86400.0 + *clock - *offset;
    }
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
    double shifted = *own + track.dayShift;
    double dayShift = track.dayShift;
    if (layout.time.source == TimeSource::clock && !std::isnan(track.origin) &&
        shifted < track.origin + track.last - halfDay) {
        dayShift += 86400;
        shifted += 86400;
    }
    const double origin = std::isnan(track.origin) ? shifted : track.origin;
    const double relative = shifted - origin;
    if (relative < track.last)
        return RowVerdict::timeBackwards;
    track.origin = origin;
    track.last = relative;
    track.dayShift = dayShift;
    ++track.rows;
    time = relative;
    return RowVerdict::good;
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
