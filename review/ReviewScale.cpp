#include "review/ReviewScale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

bool inside(const GaugeProfile& gauge, double value) {
    return value > gauge.min && value < gauge.max;
}

void addLimit(std::vector<LimitLine>& lines, double engineValue, bool red,
              const GaugeProfile& gauge, UnitConversion shown) {
    if (!inside(gauge, engineValue))
        return;
    const double value = shown(engineValue);
    for (const LimitLine& line : lines)
        if (std::abs(line.value - value) < 1e-9)
            return;
    lines.push_back({value, red});
}

// 1, 2, 2.5 or 5 times a power of ten, the least at least `rough`.
double roundStep(double rough) {
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * power >= rough)
            return m * power;
    return 10 * power;
}

} // namespace

std::vector<LimitLine> limitMarks(const GaugeProfile& gauge, UnitConversion shown) {
    std::vector<LimitLine> lines;
    for (const double redLine : gauge.redLines)
        addLimit(lines, redLine, true, gauge, shown);
    for (const ValueRange& range : gauge.red) {
        addLimit(lines, range.from, true, gauge, shown);
        addLimit(lines, range.to, true, gauge, shown);
    }
    for (const ValueRange& range : gauge.yellow) {
        addLimit(lines, range.from, false, gauge, shown);
        addLimit(lines, range.to, false, gauge, shown);
    }
    return lines;
}

std::vector<double> limitLines(const GaugeProfile& gauge, UnitConversion shown) {
    std::vector<double> values;
    for (const LimitLine& line : limitMarks(gauge, shown))
        values.push_back(line.value);
    return values;
}

AxisScale axisScale(const ValueSpan& values, const std::vector<double>& limits, float top,
                    float height) {
    if (values.empty() || !(height > 0))
        return {};
    ValueSpan span = values;
    const double reach = std::max(values.high - values.low, std::abs(values.high) * 0.02 + 1) / 3;
    for (const double limit : limits)
        if (limit >= values.low - reach && limit <= values.high + reach)
            span.take(limit);
    const double pad = std::max(span.high - span.low, std::abs(span.high) * 0.02 + 1) * 0.06;
    const double step = roundStep((span.high - span.low + 2 * pad) / std::max(2.0, height / 45.0));
    AxisScale scale;
    scale.valid = true;
    scale.step = step;
    scale.low = std::floor((span.low - pad) / step) * step;
    scale.high = std::ceil((span.high + pad) / step) * step;
    scale.top = top;
    scale.height = height;
    return scale;
}

double timeStep(double span, float width) {
    constexpr auto minutes = std::to_array<double>({1, 2, 5, 10, 15, 30, 60, 120, 180, 360, 720});
    for (const double m : minutes)
        if (span <= 0 || double(width) / (span / (m * 60)) >= 90)
            return m * 60;
    return minutes.back() * 60;
}
