#include "logs/EngineLog.h"

#include "logs/LogCursor.h"
#include "logs/LogScanner.h"

#include <tuple>
#include <vector>

namespace {

// Rows before the first good one that open() reads before it gives up.
constexpr std::size_t maxLeadingRecords = 10000;

struct FirstRow {
    std::optional<ScanPoint> at;
    FirstBadRow firstBad;
    std::uint64_t badRows = 0;
    RowCounts skipped{};
    RowCounts firstSkipped{}; // lines
    std::uint64_t endLine = 0;
};

// The first good row: where every later row's time is counted from.
FirstRow findFirstRow(const ByteSource& source, const LogLayout& layout) {
    const RowDecoder decoder(layout);
    CsvReader reader(source, layout.separator);
    reader.seek(layout.dataOffset, layout.dataLine);
    FirstRow first;
    for (std::size_t records = 0; records < maxLeadingRecords; ++records) {
        const CsvStatus status = reader.next();
        if (status == CsvStatus::end)
            break;
        TimeTrack track;
        double time = 0;
        const RowVerdict verdict = decoder.judge(status, reader, track, time);
        if (verdict == RowVerdict::good) {
            first.at = ScanPoint{
                reader.recordStart(), reader.recordLine(), {}, first.badRows, first.skipped};
            return first;
        }
        if (verdict == RowVerdict::blank)
            continue;
        if (!first.badRows++)
            first.firstBad = {reader.recordLine(), verdict};
        if (!first.skipped[skipReason(verdict)]++)
            first.firstSkipped[skipReason(verdict)] = reader.recordLine();
    }
    first.endLine = reader.line();
    return first;
}

EngineLog::Opened failure(const std::string& name, std::uint64_t line, std::string what) {
    return {nullptr, LogError{name, line, std::move(what)}};
}

} // namespace

std::string LogError::message() const {
    return file + (line ? ":" + std::to_string(line) : std::string()) + ": " + what;
}

static_assert(std::tuple_size_v<decltype(LogProgress::badCells)> == cellFaultCount);
static_assert(std::tuple_size_v<decltype(LogProgress::skipped)> == skipReasonCount);

std::string badRowsReport(const LogProgress& progress) {
    std::vector<std::string> parts;
    if (progress.badRows)
        parts.push_back((progress.badRows == 1 ? "1 bad row skipped, on line "
                                               : std::to_string(progress.badRows) +
                                                     " bad rows skipped, the first on line ") +
                        std::to_string(progress.firstBadLine) + ": " + progress.firstBadReason);
    for (std::size_t i = 0; i < cellFaultCount; ++i) {
        const std::uint64_t count = progress.badCells[i];
        if (!count)
            continue;
        const std::string reason = "(" + std::string(describe(CellFault(i))) + "), ";
        parts.push_back(count == 1
                            ? "1 unreadable cell " + reason + "on " + progress.firstBadCell[i]
                            : std::to_string(count) + " unreadable cells " + reason +
                                  "the first on " + progress.firstBadCell[i]);
    }
    if (progress.clockCorrections)
        parts.push_back(std::to_string(progress.clockCorrections) + (progress.clockCorrections == 1
                                                                         ? " clock correction"
                                                                         : " clock corrections"));
    std::string report;
    for (const std::string& part : parts)
        report += (report.empty() ? "" : "; ") + part;
    return report;
}

std::string badRowsMessage(const std::string& file, const LogProgress& progress) {
    const std::string report = badRowsReport(progress);
    return report.empty() ? report : file + ": " + report;
}

std::string_view describe(LogFormat format) {
    switch (format) {
    case LogFormat::ownRecording:
        return "recording";
    case LogFormat::avionicsExport:
        return "avionics export";
    case LogFormat::genericCsv:
        return "CSV";
    }
    return "CSV";
}

EngineLog::Opened EngineLog::open(const std::string& path, const LogOptions& options) {
    OpenedBytes file = openFileBytes(path);
    if (!file.source)
        return failure(path, 0, "cannot open: " + file.error);
    return openSource(path, std::move(file.source), options);
}

EngineLog::Opened EngineLog::openBytes(const std::string& name, std::string bytes,
                                       const LogOptions& options) {
    return openSource(name, memoryBytes(std::move(bytes)), options);
}

EngineLog::Opened EngineLog::openSource(const std::string& name, std::unique_ptr<ByteSource> source,
                                        const LogOptions& options) {
    if (source->size() == 0)
        return failure(name, 0, "empty file");
    LayoutReading reading = readLayout(*source);
    if (!reading.layout)
        return failure(name, reading.line, reading.problem);
    const FirstRow first = findFirstRow(*source, *reading.layout);
    if (!first.at && !first.badRows)
        return failure(name, reading.layout->headerLine, "no data rows after the header row");
    if (!first.at)
        return failure(name, first.firstBad.line,
                       "no readable data row (" + std::string(describe(first.firstBad.verdict)) +
                           ")");
    auto shared =
        std::make_unique<OpenLog>(name, std::move(source), std::move(*reading.layout), *first.at);
    auto log = std::unique_ptr<EngineLog>(
        new EngineLog(std::move(shared), options, first.firstBad, first.firstSkipped));
    return {std::move(log), {}};
}

EngineLog::EngineLog(std::unique_ptr<OpenLog> log, const LogOptions& options,
                     const FirstBadRow& firstBad, const RowCounts& firstSkipped)
    : shared(std::move(log)), cursor(std::make_unique<LogCursor>(*shared)),
      scanner(std::make_unique<LogScanner>(*shared, shared->firstRow, firstBad, firstSkipped)) {
    shared->index.offer({shared->firstRow, 0.0});
    if (options.indexInBackground)
        worker = std::thread([this, period = options.followPeriod] { scanner->follow(period); });
    else
        scanner->scanToEnd();
}

EngineLog::~EngineLog() {
    if (worker.joinable()) {
        shared->stopping = true;
        {
            // Under the lock, so that the wake-up cannot fall between the
            // worker's look at `stopping` and its wait.
            const std::lock_guard lock(shared->mutex);
        }
        shared->changed.notify_all();
        worker.join();
    }
}

const std::string& EngineLog::name() const {
    return shared->name;
}
LogFormat EngineLog::format() const {
    return shared->layout.format;
}
const std::string& EngineLog::writer() const {
    return shared->layout.writer;
}
const LogLayout& EngineLog::layout() const {
    return shared->layout;
}
std::bitset<quantityCount> EngineLog::quantities() const {
    return shared->layout.quantities;
}

LogProgress EngineLog::progress() const {
    const std::lock_guard lock(shared->mutex);
    return shared->progress;
}

void EngineLog::waitForIndex(double seconds) const {
    std::unique_lock lock(shared->mutex);
    shared->changed.wait(
        lock, [&] { return shared->progress.complete || shared->progress.length >= seconds; });
}

EngineSample EngineLog::sampleAt(double seconds) {
    return cursor->sampleAt(seconds);
}
