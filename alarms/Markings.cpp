#include "alarms/Markings.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

struct Coloured {
    const Ranges* ranges;
    Marking marking;
};

std::array<Coloured, 3> colours(const GaugeProfile& gauge) {
    return {{{&gauge.red, Marking::red},
             {&gauge.yellow, Marking::yellow},
             {&gauge.green, Marking::green}}};
}

double onScale(const GaugeProfile& gauge, double value) {
    return std::clamp(value, gauge.min, gauge.max);
}

bool inside(ValueRange range, double value, double scaleTop) {
    return value >= range.from && (value < range.to || (value == scaleTop && range.to == scaleTop));
}

double distance(ValueRange range, double value) {
    return std::max({range.from - value, value - range.to, 0.0});
}

} // namespace

Marking markingAt(const GaugeProfile& gauge, double value) {
    const double shown = onScale(gauge, value);
    for (const Coloured& colour : colours(gauge))
        for (const ValueRange& range : *colour.ranges)
            if (inside(range, shown, gauge.max))
                return colour.marking;
    return Marking::unmarked;
}

Marking markingNear(const GaugeProfile& gauge, double value, double band) {
    const double shown = onScale(gauge, value);
    for (const Coloured& colour : colours(gauge))
        for (const ValueRange& range : *colour.ranges)
            if (distance(range, shown) < band)
                return std::max(colour.marking, markingAt(gauge, value));
    return markingAt(gauge, value);
}

double deadband(const GaugeProfile& gauge) {
    return 0.01 * (gauge.max - gauge.min);
}

std::string_view sideOfNormal(const GaugeProfile& gauge, double value) {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (const ValueRange& range : gauge.green) {
        low = std::min(low, range.from);
        high = std::max(high, range.to);
    }
    if (gauge.green.empty()) {
        low = gauge.min;
        high = gauge.max;
    }
    return value < (low + high) / 2 ? "LOW" : "HIGH";
}
