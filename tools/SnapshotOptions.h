#pragma once

#include "aircraft/AircraftProfile.h"
#include "app/shell/ClientSize.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The command line of zentor-snapshot: one frame for a chosen engine state.

// One --set: an engine record field (an array entry when index >= 0) and the
// value it takes, already checked against the field's type.
struct FieldAssignment {
    std::string field;
    int index = -1;
    std::variant<float, double, long long> value;
};

struct SnapshotOptions {
    std::vector<FieldAssignment> assignments; // applied in order, after the start values
    long long ticks = 0;                      // engine ticks run after the assignments
    std::uint32_t seed = 1;                   // cylinder spreads; fixed so output repeats
    bool screenOnly = false;
    std::optional<ClientSize> size; // a stretched copy at this client size
    // --replay FILE [--at TIME]: the log's values this far from its first row
    // instead of the model's, applied before the --set values.
    std::optional<std::string> replay;
    std::optional<double> at;
    // --lean START: lean-find as the pilot's L turned it on this far from the
    // log's first row (at or before --at), followed to the moment shown.
    std::optional<double> lean;
    // --aircraft FILE: read and checked with the command line; held here
    // until the frame is drawn from it. None: the instrument's own.
    std::optional<AircraftProfile> aircraft;
    // --alarms: the instrument's own limits watched over the ticks or the
    // log up to --at, and the alarms up then drawn (on with --aircraft).
    bool alarms = false;
    // --describe: print what the log holds and how it is read, draw nothing.
    bool describe = false;
    // --review OUT.png|OUT.svg: the whole log's review picture instead of a frame.
    std::optional<std::string> review;
    std::string output;
};

struct ParsedCommandLine {
    std::optional<SnapshotOptions> options; // none on an error or for --help
    bool help = false;
    std::string error; // one line, without the program name
};

ParsedCommandLine parseSnapshotCommandLine(std::span<const std::string_view> arguments);

struct EngineState;

// Sets `field` of `record`; false for an unknown field or index.
bool applyAssignment(EngineState& record, const FieldAssignment& assignment);

inline constexpr std::string_view snapshotUsage =
    "usage: zentor-snapshot [--set FIELD=VALUE]... [--ticks N] [--seed N] [--screen-only]\n"
    "                       [--size WxH] [--replay FILE [--at TIME] [--lean START]]\n"
    "                       [--aircraft FILE] [--alarms] OUTPUT.png\n"
    "       zentor-snapshot --replay FILE --describe\n"
    "       zentor-snapshot --replay FILE --review OUT.png|OUT.svg [--size WxH] [--aircraft FILE]\n"
    "\n"
    "  --aircraft FILE the aircraft profile (TOML) to draw with; a bad one is refused;\n"
    "                  its limits are watched as with --alarms\n"
    "  --alarms        watch the limits over the --ticks, or over the log from its start\n"
    "                  to --at, and draw the alarms up then (a flashing box inverted)\n"
    "  --replay FILE   the log's values instead of the model's\n"
    "  --at TIME       this far from the log's first row (seconds or hh:mm:ss); past the\n"
    "                  end of the log is refused\n"
    "  --lean START    lean-find as if L was pressed START into the log (seconds or\n"
    "                  hh:mm:ss, at or before --at), followed to --at; prints what the\n"
    "                  screen shows: status, the selected cylinder (--set\n"
    "                  selectedCylinder=0..5) from its peak, the fuel flow at each peak\n"
    "  --describe      print, without drawing, the log's format, each column and what it\n"
    "                  was matched to with its unit (or \"not used\"), where the time comes\n"
    "                  from, the rows, their first and last time, the length, clock\n"
    "                  corrections, and skipped rows and unreadable cells by reason\n"
    "  --review OUT    draw the whole log as one picture, PNG or SVG by the name's end:\n"
    "                  its figures, then EGT, CHT, RPM and MAP, fuel flow, oil over time\n"
    "                  (1600x1200 unless --size)";
