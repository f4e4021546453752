#pragma once

#include "aircraft/AircraftProfile.h"
#include "engine/Units.h"

#include <limits>
#include <vector>

// The scales of a review's plots: what values a plot's height covers, where
// its ticks fall, which of the profile's limits it marks, and the time
// axis's steps.

struct ValueSpan {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void take(double value) {
        low = value < low ? value : low;
        high = value > high ? value : high;
    }
    bool empty() const { return !(low <= high); }
};

// A limit of the gauge's markings, in display units: a red line or the edge
// of a red range (red), or the edge of a yellow range (yellow).
struct LimitLine {
    double value = 0;
    bool red = false;
};

// Each limit inside the gauge's scale once, red before yellow where they meet.
std::vector<LimitLine> limitMarks(const GaugeProfile& gauge, UnitConversion shown);
std::vector<double> limitLines(const GaugeProfile& gauge, UnitConversion shown);

struct AxisScale {
    bool valid = false;
    double low = 0;
    double high = 1;
    double step = 1; // between ticks
    float top = 0;
    float height = 0;

    float yOf(double value) const {
        return top + height - float((value - low) / (high - low)) * height;
    }
    bool shows(double value) const { return value >= low && value <= high; }
};

// The values on a scale `height` pixels tall from `top`: all of `values`, and
// the limits near them (within a third of their span), on round ticks.
AxisScale axisScale(const ValueSpan& values, const std::vector<double>& limits, float top,
                    float height);

// Seconds between the time axis's ticks: a round number of minutes leaving
// room for an "hh:mm" label between them.
double timeStep(double span, float width);
