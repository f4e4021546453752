#include "logs/CsvReader.h"

#include <algorithm>

namespace {

constexpr std::size_t bufferSize = 64 * 1024;
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

} // namespace

CsvReader::CsvReader(const ByteSource& bytes, char separatorChar)
    : source(bytes), buffer(bufferSize) {
    setSeparator(separatorChar);
    seek(0, 1);
}

void CsvReader::setSeparator(char separatorChar) {
    separator = separatorChar;
    plainStops = {};
    quotedStops = {};
    for (const char c : {separator, '"', '\n', '\r'})
        plainStops[static_cast<unsigned char>(c)] = true;
    for (const char c : {'"', '\n', '\r'})
        quotedStops[static_cast<unsigned char>(c)] = true;
}

void CsvReader::seek(std::uint64_t offset, std::uint64_t line) {
    if (offset == 0) {
        char head[3] = {};
        if (source.read(0, head, 3) == 3 && std::string_view(head, 3) == byteOrderMark)
            offset = 3;
    }
    bufferOffset = offset;
    length = 0;
    at = 0;
    lineNumber = line;
    skipping = CsvStatus::record;
}

bool CsvReader::fill() {
    if (at < length)
        return true;
    bufferOffset += length;
    at = 0;
    length = source.read(bufferOffset, buffer.data(), buffer.size());
    return length > 0;
}

CsvStatus CsvReader::next(std::uint64_t byteLimit) {
    if (skipping != CsvStatus::record)
        return skipLine(skipping, byteLimit);
    for (;;) {
        clearCells();
        lineEnded = false;
        if (!fill())
            return CsvStatus::end;
        start = offset();
        startLine = lineNumber;
        const CsvStatus status = readRecord(byteLimit);
        if (status != CsvStatus::record || total != 0)
            return status;
    }
}

void CsvReader::clearCells() {
    text.clear();
    cells.clear();
    total = 0;
    contentUnkept = false;
}

// Quoted text counts whole; unquoted blanks are trimmed away.
void CsvReader::appendRun(const std::array<bool, 256>& stops, bool quoted) {
    const std::size_t from = at;
    while (at < length && !stops[static_cast<unsigned char>(buffer[at])])
        ++at;
    if (total < keepCount)
        text.append(buffer.data() + from, at - from);
    else if (quoted)
        contentUnkept = contentUnkept || at > from;
    else
        contentUnkept = contentUnkept || std::any_of(buffer.data() + from, buffer.data() + at,
                                                     [](char c) { return !isBlank(c); });
}

void CsvReader::appendByte(char c) {
    if (total < keepCount)
        text.push_back(c);
    else
        contentUnkept = true;
}

void CsvReader::endCell() {
    if (total++ >= keepCount)
        return;
    std::size_t end = text.size();
    while (end > cellBegin + quotedPart && isBlank(text[end - 1]))
        --end;
    text.resize(end);
    cells.push_back({std::uint32_t(cellBegin), std::uint32_t(end - cellBegin)});
    cellBegin = end;
    quotedPart = 0;
}

// Consumes one line end: LF, CR or CRLF.
void CsvReader::takeLineEnd() {
    const char c = buffer[at++];
    ++lineNumber;
    if (c == '\r' && fill() && buffer[at] == '\n')
        ++at;
}

CsvStatus CsvReader::skipLine(CsvStatus why, std::uint64_t byteLimit) {
    clearCells();
    skipping = why;
    const std::uint64_t from = offset();
    while (fill()) {
        if (isLineEnd(buffer[at])) {
            takeLineEnd();
            lineEnded = true;
            break;
        }
        if (offset() - from >= byteLimit)
            return CsvStatus::unfinished;
        char* const run = buffer.data() + at;
        at += std::size_t(std::find_if(run, buffer.data() + length, isLineEnd) - run);
    }
    skipping = CsvStatus::record;
    return why;
}

CsvStatus CsvReader::readRecord(std::uint64_t byteLimit) {
    State state = State::cellStart;
    cellBegin = 0;
    quotedPart = 0;
    while (fill()) {
        if (offset() - start > maxRecordBytes)
            return skipLine(CsvStatus::tooLong, byteLimit);
        if (total > maxRecordCells)
            return skipLine(CsvStatus::tooManyCells, byteLimit);
        const char c = buffer[at];
        switch (state) {
        case State::cellStart:
            if (isBlank(c) && c != separator) {
                ++at;
            } else if (c == '"') {
                ++at;
                state = State::quoted;
            } else if (isLineEnd(c) && total == 0) {
                takeLineEnd(); // a blank line
                return CsvStatus::record;
            } else {
                state = State::plain;
            }
            break;
        case State::plain:
            appendRun(plainStops, false);
            if (at == length)
                break;
            if (buffer[at] == '"') {
                appendByte('"'); // a quote inside unquoted text is text
                ++at;
            } else if (buffer[at] == separator) {
                ++at;
                endCell();
                state = State::cellStart;
            } else {
                endCell();
                const CsvStatus status = verdict();
                takeLineEnd();
                lineEnded = true;
                return status;
            }
            break;
        case State::quoted:
            appendRun(quotedStops, true);
            if (at == length)
                break;
            if (buffer[at] == '"') {
                ++at;
                state = State::quoteInQuoted;
            } else {
                // A line break inside quotes is part of the cell.
                appendByte(buffer[at]);
                const std::uint64_t before = offset();
                takeLineEnd();
                if (offset() - before == 2)
                    appendByte('\n');
            }
            break;
        case State::quoteInQuoted:
            if (c == '"') {
                appendByte('"');
                ++at;
                state = State::quoted;
            } else {
                // Text after the closing quote is kept up to the separator.
                quotedPart = text.size() - cellBegin;
                state = State::plain;
            }
            break;
        }
    }
    // The bytes ended inside the record.
    if (state == State::quoteInQuoted)
        quotedPart = text.size() - cellBegin;
    if (state != State::cellStart || total != 0)
        endCell();
    return verdict();
}

// Runs of text are taken whole, so a record may pass a limit within its last run.
CsvStatus CsvReader::verdict() {
    const CsvStatus status = offset() - start > maxRecordBytes ? CsvStatus::tooLong
                             : total > maxRecordCells          ? CsvStatus::tooManyCells
                                                               : CsvStatus::record;
    if (status != CsvStatus::record)
        clearCells();
    return status;
}
