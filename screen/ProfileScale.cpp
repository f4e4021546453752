#include "screen/ProfileScale.h"

#include "aircraft/InstrumentProfile.h"
#include "alarms/AlarmMessage.h"
#include "alarms/Markings.h"
#include "screen/Readouts.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Steps from 1e-3 up; no gauge needs finer or coarser than these.
constexpr int firstExponent = -3;
constexpr int lastExponent = 6;
constexpr std::array<double, 3> mantissas = {1, 2, 5};

double roundStep(int index) {
    const int exponent = firstExponent + index / int(mantissas.size());
    return mantissas[std::size_t(index) % mantissas.size()] * std::pow(10.0, exponent);
}
constexpr int roundStepCount = (lastExponent - firstExponent + 1) * int(mantissas.size());

std::u16string fixedText(double value, int decimals) {
    char buffer[64];
    // "-0" says no more than "0".
    const double rounded = value + 0.0 == 0 ? 0.0 : value;
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return u"";
    std::string text(buffer, result.ptr);
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return {text.begin(), text.end()};
}

// FNV-1a over the values' own bytes, one value at a time (no padding read).
class Fold {
public:
    template <class T>
    Fold& operator<<(T value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (const unsigned char byte : bytes)
            hash = (hash ^ byte) * 1099511628211ULL;
        return *this;
    }
    std::uint64_t hash = 14695981039346656037ULL;
};

constexpr Limit limitOf(Bound bound) {
    return bound == Bound::inclusive   ? Limit::inclusive
           : bound == Bound::exclusive ? Limit::exclusive
                                       : Limit::none;
}

struct UnitCaption {
    Unit unit;
    std::u16string_view caption;
};

// The screen's own three-letter style: PSI, VDC, AMP, GPH, GAL.
constexpr UnitCaption unitCaptions[] = {
    {.unit = Unit::degF, .caption = u"\u00B0F"},
    {.unit = Unit::degC, .caption = u"\u00B0C"},
    {.unit = Unit::psi, .caption = u"PSI"},
    {.unit = Unit::volts, .caption = u"VDC"},
    {.unit = Unit::amperes, .caption = u"AMP"},
    {.unit = Unit::gallonsPerHour, .caption = u"GPH"},
    {.unit = Unit::litresPerHour, .caption = u"LPH"},
    {.unit = Unit::gallons, .caption = u"GAL"},
    {.unit = Unit::litres, .caption = u"LTR"},
};

void foldRanges(Fold& fold, const Ranges& ranges) {
    fold << ranges.size();
    for (const ValueRange& range : ranges)
        fold << range.from << range.to;
}

} // namespace

ProfiledScale profiledScale(const AircraftProfile& profile, Gauge gauge) {
    const Unit unit = displayUnit(gauge, profile);
    return {.gauge = profile.gauge(gauge),
            .shown = conversionBetween(engineUnit(gauge), unit),
            .unit = unit};
}

ProfiledScale profiledTank(const AircraftProfile& profile, double tankGallons) {
    ProfiledScale scale = profiledScale(profile, Gauge::fuelQuantity);
    scale.gauge = withTankScale(scale.gauge, tankGallons, tankGallons);
    return scale;
}

ScaleSteps roundSteps(double span, double length, double labelPixels, double tickPixels) {
    const double pixelsPerUnit = length / span;
    int label = 0;
    while (label + 1 < roundStepCount && roundStep(label) * pixelsPerUnit < labelPixels)
        ++label;
    ScaleSteps steps{.label = roundStep(label), .tick = roundStep(label)};
    for (int tick = label - 1; tick >= 0; --tick) {
        const double ratio = steps.label / roundStep(tick);
        if (roundStep(tick) * pixelsPerUnit < tickPixels || ratio > 10.5)
            break;
        if (std::fabs(ratio - std::round(ratio)) < 1e-9)
            steps.tick = roundStep(tick);
    }
    return steps;
}

std::vector<double> multiplesWithin(double step, double low, double high) {
    std::vector<double> values;
    // An end within a millionth of a step of a multiple counts as one: a
    // 100 litre tank written as 26.4172 gallons ends at 100.
    const double first = std::ceil(low / step - 1e-6);
    const double last = std::floor(high / step + 1e-6);
    for (double k = first; k <= last && values.size() < 1000; ++k)
        values.push_back(k * step);
    return values;
}

std::u16string scaleText(double value, double step) {
    const int decimals = step >= 1 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
    return fixedText(value, decimals);
}

std::u16string markText(double value) {
    if (std::fabs(value) >= 10)
        return fixedText(std::round(value), 0);
    std::u16string text = fixedText(value, 1);
    if (text.ends_with(u".0"))
        text.resize(text.size() - 2);
    return text;
}

std::uint64_t profileFingerprint(const AircraftProfile& profile) {
    Fold fold;
    fold << profile.cylinders << profile.leftTank << profile.rightTank << profile.temperatureUnit
         << profile.fuelUnit;
    for (const char letter : profile.tailNumber.view())
        fold << letter;
    for (const GaugeProfile& gauge : profile.gauges) {
        fold << gauge.min << gauge.max;
        foldRanges(fold, gauge.green);
        foldRanges(fold, gauge.yellow);
        foldRanges(fold, gauge.red);
        fold << gauge.redLines.size();
        for (const double line : gauge.redLines)
            fold << line;
        fold << gauge.whiteReadout.has_value();
        if (const std::optional<WhiteReadout>& white = gauge.whiteReadout)
            fold << white->lowBound << white->low << white->highBound << white->high;
    }
    return fold.hash;
}

bool readsWhite(const GaugeProfile& gauge, double value) {
    if (const std::optional<WhiteReadout>& white = gauge.whiteReadout)
        return inWhiteRange(value, {.lowerLimit = limitOf(white->lowBound),
                                    .low = white->low,
                                    .upperLimit = limitOf(white->highBound),
                                    .high = white->high});
    return gauge.green.empty() || markingAt(gauge, value) == Marking::green;
}

std::u16string_view unitCaption(Unit unit) {
    for (const UnitCaption& row : unitCaptions)
        if (row.unit == unit)
            return row.caption;
    return u"";
}

bool drawnAsBuilt(const AircraftProfile& profile, Gauge gauge) {
    return profile.gauge(gauge) == instrumentProfile.gauge(gauge) &&
           displayUnit(gauge, profile) == displayUnit(gauge, instrumentProfile);
}
