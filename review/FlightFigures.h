#pragma once

#include "aircraft/AircraftProfile.h"
#include "alarms/AlarmStarts.h"
#include "engine/EngineSample.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

// The figures a flight review heads its plots with, taken from every row of
// a log as it is read. Values in the engine's units (degrees F, US gal, gal/h);
// a figure the log has no column for is none, never zero.

inline constexpr int maxCylinders = 6;
// Engine running: above this many rpm.
inline constexpr double runningRpm = 500;
// Cruise: above cruiseLowestRpm (past taxi and idle), with rpm and fuel flow
// held within these bands of where a steady stretch began, for at least
// cruiseSeconds.
inline constexpr double cruiseLowestRpm = 1800;
inline constexpr double cruiseRpmBand = 50;
inline constexpr double cruiseFlowBand = 0.5;
inline constexpr double cruiseSeconds = 60;
// A probe that never moves by more than this over a minute or more of
// running engine has failed; its readings are left out of the spread.
inline constexpr double stuckProbeBand = 1.0;
inline constexpr std::size_t alarmsListed = 3;

struct TimedValue {
    double value = 0;
    double time = 0; // seconds from the first row
};

struct CylinderSpread {
    double value = 0; // degrees F between the hottest and the coolest EGT
    double time = 0;
    int hottest = 0; // cylinder index 0..5
    int coolest = 0;
};

struct FlightFigures {
    double length = 0; // seconds from the first row to the last
    std::uint64_t rows = 0;
    std::optional<double> runningSeconds;
    std::optional<double> fuelByFlow;     // US gal
    std::optional<double> fuelByQuantity; // US gal, first total less last
    std::array<std::optional<TimedValue>, maxCylinders> hottestEgt;
    std::array<std::optional<TimedValue>, maxCylinders> hottestCht;
    std::array<bool, maxCylinders> egtProbeStuck{};
    std::optional<CylinderSpread> cruiseSpread;
    std::uint64_t alarmCount = 0;
    std::vector<AlarmStart> firstAlarms; // at most alarmsListed
};

// Takes the rows one by one, in time order.
class FigureCounter {
public:
    // `joined`: no gap in the log since the row before.
    void add(const EngineSample& row, double time, bool joined);
    // An alarm raised at this row.
    void alarmRaised(const AlarmStart& start);
    FlightFigures finish() const;

private:
    struct ProbeRange {
        double low = std::numeric_limits<double>::infinity();
        double high = -std::numeric_limits<double>::infinity();
        double seconds = 0; // of running engine with a reading
    };
    struct PairSpread {
        double value = -1;
        double time = 0;
        int hotter = 0;
    };

    void countSteps(const EngineSample& row, double time, bool joined);
    void watchCruise(const EngineSample& row, double time);
    void noteSpreads(const EngineSample& row, double time);

    FlightFigures figures;
    EngineSample before;
    double beforeTime = 0;
    bool started = false;
    // The tanks the first row with any gave (bit 0 left, bit 1 right), and
    // the total of those tanks in the first and the last row with them all.
    int tanks = 0;
    std::optional<double> firstFuel;
    std::optional<double> lastFuel;
    // The steady stretch the rows are in: where it began and its values then.
    std::optional<double> steadySince;
    double steadyRpm = 0;
    double steadyFlow = 0;
    std::array<ProbeRange, maxCylinders> egtRanges;
    // The widest cruise spread of every pair of cylinders, so that a failed
    // probe found only at the end can still be left out.
    std::array<std::array<PairSpread, maxCylinders>, maxCylinders> pairs;
};
