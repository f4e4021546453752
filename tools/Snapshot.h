#pragma once

#include "aircraft/InstrumentProfile.h"
#include "engine/EngineSample.h"
#include "leanfind/LeanView.h"
#include "screen/ScreenArt.h"
#include "tools/SnapshotOptions.h"

#include <QImage>

#include <optional>
#include <string>

struct EngineState;
struct Instrument;

// One moment of an engine log for --replay: its values `at` seconds after
// its first row, or the one line naming the file, the line and what is
// wrong (a moment past the end names the log's length). `badRows` reports
// rows skipped, unreadable cells and clock corrections, if any.
struct LoggedMoment {
    std::optional<EngineSample> values;
    std::string error;
    std::string badRows;
    std::string aircraft; // the registration the log names, or empty
};
LoggedMoment readLoggedMoment(const std::string& path, double at);

// --describe: the log's description (see describeLog), or `error`.
struct LogReport {
    std::string text;
    std::string error;
};
LogReport describeLogFile(const std::string& path);

// Whether the frame shows alarms: --alarms, or a profile's limits.
bool alarmsOn(const SnapshotOptions& options);

// The alarms up `at` seconds into the log at `path`, judged against
// `profile` over the log from its first row, into the instrument's screen.
void judgeLoggedAlarms(Instrument& instrument, const std::string& path, double at,
                       const AircraftProfile& profile);

// Puts the engine record of `instrument` in the state the options describe: the instrument's
// opening state (start values, the controls where the window opens them)
// with cylinder spreads from the seed, the logged values if given (what the
// log lacks as no data), the --set values, then the engine ticks; with
// alarms on and no log, the alarms judged at each.
void prepareEngineState(Instrument& instrument, const SnapshotOptions& options,
                        const EngineSample* logged = nullptr);

// The monitor screen alone, 630 x 483 on black, for `engine`;
// `registration` in place of the instrument's own where given, the alarms
// up, and the lean search's readouts while it is on.
QImage renderScreen(const EngineState& engine, std::u16string_view registration = {},
                    const AircraftProfile& profile = instrumentProfile,
                    const ScreenAlarms& alarms = {},
                    const std::optional<LeanView>& lean = std::nullopt);

// The frame the options ask for, engine state included: the whole 750 x 945
// panel, or the screen alone; --size stretches it as a window of that client
// size would show it. With `lean`, the screen shows that search for the
// engine record's selected cylinder (the instrument's renderer keeps it).
QImage renderFrame(Instrument& instrument, const SnapshotOptions& options,
                   const EngineSample* logged = nullptr, std::u16string_view registration = {},
                   const LeanFinder* lean = nullptr);
