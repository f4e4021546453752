#pragma once

#include "engine/EngineSample.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

struct RecorderOptions {
    std::string program = "zentor-demo";
    std::string version; // the project's, from CMake
    double interval = 1; // seconds of engine time between rows; 0: every tick
    // The aircraft's registration, noted on the first line for a replay's
    // status bar; empty, or one a CSV cell cannot hold as it stands: none.
    std::string tail;
    bool overwrite = false;
};

// One tick as the recording keeps it. `values` are the display values in the
// screen's units (per-cylinder EGT and CHT as the bars show them) and the
// knob positions (Quantity::throttle, propeller, mixture); absent ones are
// written as empty cells.
struct RecordedTick {
    std::chrono::system_clock::time_point utc; // from the caller's clock
    double seconds = 0;                        // engine time since the recording began
    EngineSample values;
    bool demoMode = false;
    bool muted = false;
    int selectedCylinder = 1; // 1..6
};

enum class RecordOutcome : std::uint8_t {
    notDue,  // within the interval since the last row
    written, // the row is in the file
    failed,  // this row could not be written: say so once; recording has stopped
    stopped, // after a failure
};

// Records a session as our own engine log: a line naming the program and
// version, a header row with every column and its unit, then one row per
// recorded tick, each handed to the system before record() returns.
class EngineRecorder {
public:
    struct Created {
        std::unique_ptr<EngineRecorder> recorder;
        std::string error;   // "flight.csv: already exists"
        bool exists = false; // the file was there and is left alone
    };
    // Creates the file, never replacing one unless options.overwrite.
    static Created create(const std::string& path, const RecorderOptions& options);
    ~EngineRecorder();
    EngineRecorder(const EngineRecorder&) = delete;
    EngineRecorder& operator=(const EngineRecorder&) = delete;

    RecordOutcome record(const RecordedTick& tick);
    // Why recording stopped: "flight.csv: cannot write: No space left on device".
    const std::string& failure() const { return problem; }
    std::uint64_t rows() const { return written; }

private:
    EngineRecorder(int fd, std::string path, double interval);
    bool due(double seconds) const;
    bool writeAll(const char* data, std::size_t size);

    int fd;
    std::string path;
    double interval;
    double nextDue;
    std::uint64_t written = 0;
    bool stopped = false;
    std::string problem;
};
