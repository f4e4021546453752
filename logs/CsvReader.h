#pragma once

#include "logs/ByteSource.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Hard limits on one record, so that no file can make the reader hold more:
// a longer record or one with more cells is refused whole.
inline constexpr std::size_t maxRecordBytes = std::size_t(1) << 20;
inline constexpr std::size_t maxRecordCells = 4096;

enum class CsvStatus : std::uint8_t {
    record,       // a record with at least one cell
    end,          // no more bytes (yet: a growing file may bring more)
    tooLong,      // skipped up to the next line end
    tooManyCells, // skipped up to the next line end
    unfinished,   // a byte limit reached while skipping a refused record
};

// Reads a log record by record from any offset, in bounded memory: cells
// split at the separator, quoted cells with separators, doubled quotes and
// line breaks inside, LF, CRLF or CR line ends, blank lines passed over,
// padding blanks round each cell trimmed, a UTF-8 byte-order mark at the
// start of the file skipped.
class CsvReader {
public:
    CsvReader(const ByteSource& source, char separator);

    // Splits at another separator from the next record on.
    void setSeparator(char separator);
    // Keeps the text of the first `count` cells only and counts the rest, for
    // readers that need a row's time alone.
    void keepCells(std::size_t count) { keepCount = count; }
    // Reads on from `offset`, which starts line number `line`.
    void seek(std::uint64_t offset, std::uint64_t line);
    // The next record. A refused record is skipped to its line end, however
    // long; with a byte limit, skipping stops after about that many bytes
    // with `unfinished`, and the next call goes on with it.
    CsvStatus next(std::uint64_t byteLimit = UINT64_MAX);

    // The record last read or refused (a refused one has no cells).
    std::uint64_t recordStart() const { return start; }
    std::uint64_t recordLine() const { return startLine; }
    bool terminated() const { return lineEnded; } // false: cut off by the end of the bytes
    std::size_t cellCount() const { return total; }
    // Whether a cell past those kept has anything but blanks in it.
    bool unkeptContent() const { return contentUnkept; }
    std::string_view cell(std::size_t index) const {
        return index < cells.size()
                   ? std::string_view(text).substr(cells[index].begin, cells[index].size)
                   : std::string_view();
    }

    // Where the next record starts (or blank lines before it), and its line.
    std::uint64_t offset() const { return bufferOffset + at; }
    std::uint64_t line() const { return lineNumber; }

private:
    enum class State : std::uint8_t { cellStart, plain, quoted, quoteInQuoted };
    struct Span {
        std::uint32_t begin;
        std::uint32_t size;
    };

    bool fill();
    CsvStatus readRecord(std::uint64_t byteLimit);
    CsvStatus verdict();
    void clearCells();
    void appendRun(const std::array<bool, 256>& stops, bool quoted);
    void appendByte(char c);
    void endCell();
    void takeLineEnd();
    CsvStatus skipLine(CsvStatus why, std::uint64_t byteLimit);

    const ByteSource& source;
    char separator;
    std::array<bool, 256> plainStops{};  // bytes that end a run of unquoted text
    std::array<bool, 256> quotedStops{}; // and of quoted text

    std::vector<char> buffer;
    std::uint64_t bufferOffset = 0;
    std::size_t length = 0; // bytes in the buffer
    std::size_t at = 0;     // the next byte to read
    std::uint64_t lineNumber = 1;

    std::uint64_t start = 0;
    std::uint64_t startLine = 1;
    CsvStatus skipping = CsvStatus::record; // a refused record not yet skipped to its end
    bool lineEnded = false;
    std::string text;
    std::vector<Span> cells; // those kept
    std::size_t total = 0;   // cells read, kept or not
    std::size_t keepCount = SIZE_MAX;
    bool contentUnkept = false;
    std::size_t cellBegin = 0;  // where the current cell's text starts
    std::size_t quotedPart = 0; // its quoted part, never trimmed
};
