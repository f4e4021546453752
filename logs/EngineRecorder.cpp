#include "logs/EngineRecorder.h"

#include "engine/Quantities.h"
#include "logs/RecordColumns.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A row's longest spelling: a time stamp, the elapsed time, 30 floats of at
// most 15 characters, three small numbers and the separators.
constexpr std::size_t rowCapacity = 1024;

struct RowText {
    std::array<char, rowCapacity> text;
    std::size_t size = 0;

    void append(std::string_view part) {
        part = part.substr(0, text.size() - size);
        std::copy(part.begin(), part.end(), text.data() + size);
        size += part.size();
    }
    template <typename... Format>
    void number(Format... format) {
        const auto result = std::to_chars(text.data() + size, text.data() + text.size(), format...);
        if (result.ec == std::errc())
            size = std::size_t(result.ptr - text.data());
    }
};

// A registration as a log's first line may name it: short, printable, no
// separator or quote of the CSV.
bool notableTail(std::string_view tail) {
    constexpr std::size_t longest = 10;
    return !tail.empty() && tail.size() <= longest &&
           std::all_of(tail.begin(), tail.end(),
                       [](char c) { return c > ' ' && c < 127 && c != ',' && c != '"'; });
}

std::string headerText(const RecorderOptions& options) {
    std::string header(ownLogMarker);
    header += options.program + " " + options.version;
    if (notableTail(options.tail))
        header += std::string(",") + std::string(tailKey) + "=" + options.tail;
    header += "\n";
    header += std::string(utcColumn) + "," + std::string(elapsedColumn);
    for (const QuantityRow& column : quantityRows)
        header += "," + std::string(column.title) + " (" +
                  std::string(unitRow(column.screenUnit).symbol) + ")";
    for (const std::string_view column : panelColumns)
        header += "," + std::string(column);
    return header + "\n";
}

// "2024-05-01T12:34:56.789Z"
void appendUtc(RowText& row, std::chrono::system_clock::time_point utc) {
    using namespace std::chrono;
    const auto ms = floor<milliseconds>(utc);
    const auto day = floor<days>(ms);
    const year_month_day date{day};
    const hh_mm_ss clock{ms - day};
    char text[40];
    const int size = std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ",
                                   int(date.year()), unsigned(date.month()), unsigned(date.day()),
                                   int(clock.hours().count()), int(clock.minutes().count()),
                                   int(clock.seconds().count()), int(clock.subseconds().count()));
    row.append(std::string_view(text, std::size_t(std::max(size, 0))));
}

std::string systemMessage(int error) {
    return std::generic_category().message(error);
}

} // namespace

EngineRecorder::Created EngineRecorder::create(const std::string& path,
                                               const RecorderOptions& options) {
    // Without a reader, opening a pipe would wait for one before any window
    // opens, and writing to one could hold up the frame timer: a recording
    // goes to a regular file only, and opening never waits.
    const int flags =
        O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | (options.overwrite ? O_TRUNC : O_EXCL);
    const int fd = ::open(path.c_str(), flags, 0644);
    const std::string notRegular = path + ": cannot create: not a regular file";
    if (fd < 0) {
        const int error = errno;
        if (error == EEXIST)
            return {nullptr, path + ": already exists", true};
        if (error == ENXIO)
            return {nullptr, notRegular, false};
        return {nullptr, path + ": cannot create: " + systemMessage(error), false};
    }
    struct stat file {};
    if (::fstat(fd, &file) != 0 || !S_ISREG(file.st_mode)) {
        ::close(fd);
        return {nullptr, notRegular, false};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const double interval = std::isfinite(options.interval) ? std::max(options.interval, 0.0) : 1;
    std::unique_ptr<EngineRecorder> recorder(new EngineRecorder(fd, path, interval));
    const std::string header = headerText(options);
    if (!recorder->writeAll(header.data(), header.size()))
        return {nullptr, recorder->problem, false};
    return {std::move(recorder), {}, false};
}

EngineRecorder::EngineRecorder(int descriptor, std::string file, double seconds)
    : fd(descriptor), path(std::move(file)), interval(seconds),
      nextDue(-std::numeric_limits<double>::infinity()) {}

EngineRecorder::~EngineRecorder() {
    ::close(fd);
}

bool EngineRecorder::due(double seconds) const {
    // A hair of slack, so that rows land on every tick when the interval
    // equals the tick and sums of 0.065 fall a rounding short.
    return seconds >= nextDue - 1e-6;
}

bool EngineRecorder::writeAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            problem = path + ": cannot write: " + systemMessage(done < 0 ? errno : EIO) +
                      "; recording stopped";
            stopped = true;
            return false;
        }
        data += done;
        size -= std::size_t(done);
    }
    return true;
}

RecordOutcome EngineRecorder::record(const RecordedTick& tick) {
    if (stopped)
        return RecordOutcome::stopped;
    if (!due(tick.seconds))
        return RecordOutcome::notDue;
    RowText row;
    appendUtc(row, tick.utc);
    row.append(",");
    row.number(tick.seconds, std::chars_format::fixed, 3);
    for (std::size_t q = 0; q < quantityCount; ++q) {
        row.append(",");
        // Shortest spelling that reads back as the same float.
        if (tick.values.present[q] && std::isfinite(tick.values.values[q]))
            row.number(tick.values.values[q]);
    }
    row.append(tick.demoMode ? ",1" : ",0");
    row.append(tick.muted ? ",1," : ",0,");
    if (tick.selectedCylinder >= 1 && tick.selectedCylinder <= 6)
        row.number(tick.selectedCylinder);
    row.append("\n");
    if (!writeAll(row.text.data(), row.size))
        return RecordOutcome::failed;
    ++written;
    nextDue = std::isinf(nextDue) ? tick.seconds + interval : nextDue + interval;
    if (nextDue <= tick.seconds)
        nextDue = tick.seconds + interval;
    return RecordOutcome::written;
}
