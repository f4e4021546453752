// libFuzzer target for engine logs: the CSV reader over the bytes with each
// separator, the column matching of every cell, and the whole log opened from
// them, played as the frame timer would and described as --describe does. Whatever the bytes, no
// record passes its limits, and every sample is within the log and its values within their
// quantities' ranges. Built and run by scripts/run-fuzz.
#include "FuzzCheck.h"
#include "engine/Quantities.h"
#include "logs/ColumnMatch.h"
#include "logs/CsvReader.h"
#include "logs/EngineLog.h"
#include "logs/LogDescription.h"
#include "logs/LogPlayback.h"
#include "logs/LogTime.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void checkMatch(std::string_view header) {
    const ColumnMatch match = matchColumn(header);
    if (match.kind == ColumnMatch::Kind::none)
        return;
    check(std::isfinite(match.conversion.scale) && match.conversion.scale > 0);
    check(std::isfinite(match.conversion.offset));
}

// Reads every record; every other call with a small byte limit, so that
// skipping a refused record is cut and resumed.
void readRecords(const ByteSource& source, char separator) {
    CsvReader reader(source, separator);
    std::uint64_t line = 0;
    std::uint64_t start = 0;
    for (int call = 0; call < 20000; ++call) {
        const CsvStatus status = reader.next(call % 2 ? 4096 : UINT64_MAX);
        if (status == CsvStatus::end)
            break;
        check(reader.offset() <= source.size());
        if (status == CsvStatus::unfinished)
            continue;
        check(reader.recordLine() > line && reader.recordStart() >= start);
        line = reader.recordLine();
        start = reader.recordStart();
        check(status == CsvStatus::record
                  ? reader.cellCount() > 0 && reader.cellCount() <= maxRecordCells
                  : reader.cellCount() == 0);
        for (std::size_t i = 0; i < reader.cellCount(); ++i) {
            check(reader.cell(i).size() <= maxRecordBytes + 65536);
            if (separator == ',')
                checkMatch(reader.cell(i));
        }
    }
}

void checkSample(const EngineSample& sample, const EngineLog& log, double length) {
    check(sample.time >= 0 && sample.time <= length);
    check((sample.present & ~log.quantities()).none());
    for (const QuantityRow& range : quantityRows) {
        if (!sample.has(range.quantity))
            continue;
        const double value = sample[range.quantity];
        const double slack = (range.highest - range.lowest) * 1e-6;
        check(value >= range.lowest - slack && value <= range.highest + slack);
    }
}

// Plays the log as the window would: a start, ticks at the fastest speed,
// seeks both ways, the end and beyond, nonsense times.
void play(EngineLog& log) {
    const LogProgress progress = log.progress();
    check(progress.complete && std::isfinite(progress.length) && progress.length >= 0);
    check(!formatLogClock(progress.length).empty());
    LogPlayback playback;
    playback.setLength(progress.length, true);
    for (int i = 0; i < 8; ++i)
        playback.faster();
    for (int tick = 0; tick < 40; ++tick) {
        if (tick % 10 == 3)
            playback.seekBy(tick % 20 == 3 ? -60 : 60);
        playback.advance(0.065);
        checkSample(log.sampleAt(playback.position()), log, progress.length);
    }
    for (const double at : {progress.length, progress.length / 3, -1.0, double(NAN), 1e300, 0.0})
        checkSample(log.sampleAt(at), log, progress.length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const auto source = memoryBytes(text);
    for (const char separator : {',', ';', '\t'})
        readRecords(*source, separator);

    LogOptions options;
    options.indexInBackground = false;
    auto opened = EngineLog::openBytes("fuzz.csv", text, options);
    if (!opened.log) {
        check(!opened.error.what.empty() && opened.error.message().find('\n') == std::string::npos);
        return 0;
    }
    play(*opened.log);
    // The description names every column and no report spans lines it should not.
    const std::string description = describeLog(*opened.log);
    check(description.find("format: ") != std::string::npos &&
          description.find("unreadable cells") != std::string::npos);
    check(badRowsReport(opened.log->progress()).find('\n') == std::string::npos);
    return 0;
}
