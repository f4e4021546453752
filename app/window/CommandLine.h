#pragma once

#include "aircraft/AircraftProfile.h"
#include "live/LiveOptions.h"

#include <QSize>
#include <QStringList>

#include <optional>
#include <string>

// What zentor-demo was started with. Without options every field keeps its
// default and the instrument runs its own model, as it always has.
struct LaunchOptions {
    // --record FILE [--record-interval SECONDS] [--force]
    std::optional<std::string> recordPath;
    double recordInterval = 1; // seconds of engine time between rows; 0: every tick
    bool overwriteRecording = false;
    // --replay FILE [--speed X] [--from TIME]
    std::optional<std::string> replayPath;
    double replaySpeed = 1;
    double replayFrom = 0; // seconds from the log's first row
    // --xplane HOST[:PORT] [--xplane-map FILE], --flightgear PORT, --listen ADDRESS;
    // checked when the link opens.
    LiveOptionTexts live;
    // --aircraft FILE: read and checked with the command line, before any
    // window opens. Held here until the shell's state owner takes it over;
    // none: the instrument's own (defaultProfile()).
    std::optional<AircraftProfile> aircraft;
    // --alarms: watch the instrument's own limits (a profile's are watched
    // whenever --aircraft gives one).
    bool alarms = false;
    // --write-aircraft FILE [--force]: write the instrument's own profile and
    // exit; --force (overwriteRecording) lets it replace a file.
    std::optional<std::string> writeAircraftPath;
    // --fullscreen, --size WxH
    bool fullscreen = false;
    std::optional<QSize> clientSize;
};

// The outcome of reading the command line: options to run with, or text to
// print and a status to exit with before any window opens (--help and
// --version: 0 on standard output; a bad option or value: one line naming
// it on standard error, 2).
struct ParsedLaunch {
    std::optional<LaunchOptions> options;
    std::string output;
    int exitStatus = 0;
};

// `arguments` as in main, the program's name first.
ParsedLaunch parseLaunchOptions(const QStringList& arguments);
