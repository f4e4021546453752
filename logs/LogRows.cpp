#include "logs/LogRows.h"

#include "logs/CsvReader.h"
#include "logs/EngineLog.h"

namespace {

std::string located(const std::string& name, std::uint64_t line, const std::string& what) {
    return LogError{name, line, what}.message();
}

// Every row after the header to the end (or until the visitor stops), the
// first bad one noted for a log with no good row at all.
FirstBadRow readRows(const ByteSource& source, const LogLayout& layout, const LogRowVisitor& visit,
                     LogRowsRead& read) {
    FirstBadRow firstBad;
    const RowDecoder decoder(layout);
    CsvReader reader(source, layout.separator);
    reader.keepCells(neededCells(layout));
    reader.seek(layout.dataOffset, layout.dataLine);
    for (CsvStatus status = reader.next(); status != CsvStatus::end; status = reader.next()) {
        double time = 0;
        TimeTrack next = read.track;
        const RowVerdict verdict = decoder.judge(status, reader, next, time);
        if (verdict != RowVerdict::good) {
            if (verdict != RowVerdict::blank && !read.badRows++)
                firstBad = {reader.recordLine(), verdict};
            continue;
        }
        read.track = next;
        EngineSample row;
        decoder.readValues(reader, row);
        ++read.goodRows;
        if (!visit(row, time))
            break;
    }
    return firstBad;
}

} // namespace

LogRowsRead forEachLogRow(const std::string& name, const ByteSource& source,
                          const LogRowVisitor& visit) {
    LogRowsRead read;
    if (source.size() == 0) {
        read.error = located(name, 0, "empty file");
        return read;
    }
    LayoutReading reading = readLayout(source);
    if (!reading.layout) {
        read.error = located(name, reading.line, reading.problem);
        return read;
    }
    read.layout = std::move(reading.layout);
    const FirstBadRow firstBad = readRows(source, *read.layout, visit, read);
    if (read.goodRows == 0)
        read.error =
            firstBad.line
                ? located(name, firstBad.line,
                          "no readable data row (" + std::string(describe(firstBad.verdict)) + ")")
                : located(name, read.layout->headerLine, "no data rows after the header row");
    return read;
}

LogRowsRead forEachLogRow(const std::string& path, const LogRowVisitor& visit) {
    const OpenedBytes file = openFileBytes(path);
    if (!file.source) {
        LogRowsRead read;
        read.error = located(path, 0, "cannot open: " + file.error);
        return read;
    }
    return forEachLogRow(path, *file.source, visit);
}
