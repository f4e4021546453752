#pragma once

#include "aircraft/AircraftProfile.h"
#include "leanfind/LeanSweeps.h"
#include "review/FlightFigures.h"
#include "review/PlotBins.h"
#include "review/ReviewPlots.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::size_t sweepsKept = 8;

// Alarm shading of a plot: 0 none, else the most severe alarm's Severity + 1.
using AlarmLevel = std::uint8_t;

// Everything a flight review draws, read from a log in one pass and in
// memory bounded by the plots' width, whatever the log's length.
struct FlightReview {
    std::string file;
    std::string tailNumber; // the log's, else the profile's; empty: neither names one
    // The first row's date and time as seconds since 1970, when the log has
    // a date; `utc` when it is UTC, else the log's own clock.
    std::optional<double> start;
    bool utc = false;
    std::uint64_t badRows = 0;
    std::bitset<quantityCount> quantities; // the columns the log has
    FlightFigures figures;
    // The lean sweeps found, by the rule of the cockpit's lean-find: the
    // first sweepsKept of sweepCount.
    std::vector<LeanSweep> sweeps;
    std::uint64_t sweepCount = 0;
    // The plotted values by time, seriesRows' order, and the alarms by plot.
    double binLength = 0;
    std::array<std::vector<PlotBin>, seriesCount> series;
    std::array<std::vector<AlarmLevel>, plotCount> alarms;
};

struct ReviewReading {
    std::optional<FlightReview> review;
    std::string error; // "flight.csv:3: ...", as a replay refuses the file
};

// Reads the log at `path` to its end, judging its alarms by `profile`, with
// room for plots `columns` pixels wide.
ReviewReading reviewLogFile(const std::string& path, const AircraftProfile& profile, int columns);
// The same for a log held in memory; `name` stands for the file.
ReviewReading reviewLogBytes(const std::string& name, std::string bytes,
                             const AircraftProfile& profile, int columns);

// A step between rows longer than this (and than gapSteps ordinary steps)
// is a gap in the log: no line is drawn across it and no time counted in it.
inline constexpr double gapSeconds = 10;
inline constexpr double gapSteps = 4;
