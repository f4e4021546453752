#pragma once

#include <array>
#include <string>
#include <vector>

// Flights of ours in the avionics export layout, one row a second, made
// from a plan whose numbers the tests check the review against: taxi, climb,
// cruise, a lean sweep in which each cylinder's EGT peaks at a fuel flow of
// its own, cruise again, descent and taxi, with probe noise of known size.

enum class FlightKind {
    leanSweep,       // leaned past every cylinder's peak, then enriched
    enrichedHalfway, // enriched again once cylinder 3 alone has peaked
    stuckProbe,      // cylinder 3's EGT probe has failed at a steady 154 °F
    gaps,            // the monitor lost its engine data twice
};

struct Phase {
    double seconds;
    double rpm;
    double map;
    double flowFrom; // gal/h at its start, moving evenly to flowTo
    double flowTo;
    bool onCurve; // EGT follows each cylinder's curve of fuel flow
    double egt;   // else this, plus the cylinder's offset
    double chtTo; // CHT moves evenly to this, plus the cylinder's offset
};

struct FlightPlan {
    std::string tail = "N624RV";
    std::vector<Phase> phases;
    // Each cylinder's peak EGT and the fuel flow it peaks at, and how fast
    // EGT falls either side of it: peak - curve * (flow - peakFlow)^2.
    std::array<double, 6> peakEgt = {1452, 1478, 1440, 1466, 1459, 1447};
    std::array<double, 6> peakFlow = {11.3, 10.9, 11.8, 10.6, 11.0, 10.8};
    double curve = 40;
    std::array<double, 6> egtOffset = {0, -22, 31, -12, 18, -6};
    std::array<double, 6> chtOffset = {0, 14, -9, 22, -4, 8};
    // Cylinder 3 runs hot for a minute in the climb: a CHT caution.
    double hotFrom = 700;
    double hotTo = 760;
    double hotCht = 440;
    double egtNoise = 3; // each reading within this of the truth
    double chtNoise = 1;
    // The tanks lose more than the flow meter says (it reads 3 % low).
    double tankBurnOverFlow = 1.03;
    double tanksAtStart = 80;             // both together, US gal
    std::vector<std::array<int, 2>> gaps; // rows without engine data, first and end
    bool egt3Stuck = false;
    int rows() const;
};

FlightPlan flightPlan(FlightKind kind);
// The plan's log, as the avionics write it.
std::string flightLog(const FlightPlan& plan);

// The plan's truth at second `t`: the fuel flow, and a cylinder's EGT without noise.
double planFlow(const FlightPlan& plan, double t);
double planEgt(const FlightPlan& plan, int cylinder, double t);
