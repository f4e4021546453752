#include "review/ReviewText.h"

#include "alarms/AlarmMessage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string printed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A value of a gauge's engine unit as the pilot reads it, with its symbol.
std::string shown(double value, Gauge gauge, const AircraftProfile& profile, int decimals) {
    const Unit unit = displayUnit(gauge, profile);
    return printed(conversionBetween(engineUnit(gauge), unit)(value), decimals) + " " +
           std::string(unitRow(unit).symbol);
}

std::string fuelText(const std::optional<double>& gallons, const AircraftProfile& profile) {
    return gallons ? shown(*gallons, Gauge::fuelQuantity, profile, 1) : std::string(noData);
}

std::string hottest(const std::optional<TimedValue>& value, Gauge gauge, const FlightReview& review,
                    const AircraftProfile& profile, bool failed) {
    if (!value)
        return std::string(noData);
    if (failed)
        return "probe failed, " + shown(value->value, gauge, profile, 0) + " throughout";
    return shown(value->value, gauge, profile, 0) + " at " +
           clockText(clockAt(review, value->time));
}

// Days since 1970 into a calendar date (the proleptic Gregorian calendar).
std::string dateText(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shifted = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const long long month = shifted < 10 ? shifted + 3 : shifted - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", year, month, day);
    return text;
}

std::string spreadText(const FlightReview& review, const AircraftProfile& profile) {
    const FlightFigures& f = review.figures;
    if (!f.cruiseSpread)
        return "largest EGT spread in cruise: " + std::string(noData);
    const double degrees =
        conversionBetween(Unit::degF, profile.temperatureUnit)(f.cruiseSpread->value) -
        conversionBetween(Unit::degF, profile.temperatureUnit)(0);
    return "largest EGT spread in cruise: " + printed(degrees, 0) + " " +
           std::string(unitRow(profile.temperatureUnit).symbol) + ", cylinder " +
           std::to_string(f.cruiseSpread->hottest + 1) + " over " +
           std::to_string(f.cruiseSpread->coolest + 1) + " at " +
           clockText(clockAt(review, f.cruiseSpread->time));
}

std::string alarmsText(const FlightReview& review) {
    const FlightFigures& f = review.figures;
    std::string text = "alarms: " + (f.alarmCount ? std::to_string(f.alarmCount) : "none");
    for (std::size_t i = 0; i < f.firstAlarms.size(); ++i)
        text += (i ? "; " : (f.alarmCount > f.firstAlarms.size() ? ", the first: " : ": ")) +
                clockText(clockAt(review, f.firstAlarms[i].time)) + " " + f.firstAlarms[i].message;
    return text;
}

std::string stuckText(const FlightReview& review, const AircraftProfile& profile) {
    std::string text;
    for (int c = 0; c < shownCylinders(review, profile); ++c)
        if (review.figures.egtProbeStuck[std::size_t(c)])
            text += (text.empty() ? "" : ", ") + std::to_string(c + 1);
    return text.empty()
               ? text
               : "EGT probe of cylinder " + text + " never moved: failed, left out of the spread";
}

constexpr std::size_t sweepsListed = 2;

std::string flowText(double flow, const AircraftProfile& profile) {
    return shown(flow, Gauge::fuelFlow, profile, 1);
}

std::string sweepPeakText(const std::optional<LeanPeak>& peak, const AircraftProfile& profile) {
    if (!peak)
        return "not peaked";
    return shown(peak->egt, Gauge::egt, profile, 0) +
           (peak->fuelFlow ? " at " + flowText(*peak->fuelFlow, profile) : std::string());
}

std::string sweepText(const FlightReview& review, const LeanSweep& sweep,
                      const AircraftProfile& profile) {
    int peaked = 0;
    double firstPeak = sweep.end;
    for (const auto& peak : sweep.peaks)
        if (peak) {
            ++peaked;
            firstPeak = std::min(firstPeak, peak->time);
        }
    std::string text = std::string(sweep.complete ? "lean sweep" : "lean sweep given up") +
                       ", peaks " + clockText(clockAt(review, firstPeak)) + " to " +
                       clockText(clockAt(review, sweep.end)) + ": ";
    if (sweep.channels == 1)
        return text + "one EGT probe, peaked";
    text += std::to_string(peaked) + " of " + std::to_string(sweep.channels) + " peaked";
    if (sweep.firstToPeak)
        text += ", first " + std::to_string(*sweep.firstToPeak + 1);
    if (sweep.fuelFlowSpread)
        text += ", spread " + flowText(*sweep.fuelFlowSpread, profile);
    return text;
}

} // namespace

std::string clockText(double seconds) {
    const long long whole = std::isfinite(seconds) ? (long long)std::floor(seconds) : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                  whole % 60);
    return text;
}

std::string hourMinuteText(double seconds) {
    const long long whole = std::isfinite(seconds) ? (long long)std::floor(seconds) : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld", whole / 3600 % 24, whole / 60 % 60);
    return text;
}

double clockAt(const FlightReview& review, double time) {
    if (!review.start)
        return time;
    return std::fmod(std::fmod(*review.start + time, 86400.0) + 86400.0, 86400.0);
}

std::string startText(const FlightReview& review) {
    if (!review.start)
        return "no date in the log";
    const double days = std::floor(*review.start / 86400);
    return dateText((long long)days) + " " + clockText(clockAt(review, 0)) +
           (review.utc ? " UTC" : "");
}

std::vector<std::string> headerLines(const FlightReview& review, const AircraftProfile& profile) {
    const FlightFigures& f = review.figures;
    std::vector<std::string> lines;
    lines.push_back("length " + clockText(f.length) + ", engine running " +
                    (f.runningSeconds ? clockText(*f.runningSeconds) : std::string(noData)));
    lines.push_back("fuel used: " + fuelText(f.fuelByFlow, profile) + " by the flow, " +
                    fuelText(f.fuelByQuantity, profile) + " by the tanks");
    lines.push_back(spreadText(review, profile));
    if (const std::string stuck = stuckText(review, profile); !stuck.empty())
        lines.push_back(stuck);
    for (const std::string& sweep : sweepLines(review, profile))
        lines.push_back(sweep);
    lines.push_back(alarmsText(review));
    if (review.badRows)
        lines.push_back(std::to_string(review.badRows) + " unreadable rows skipped");
    return lines;
}

std::vector<std::string> cylinderHeads(const FlightReview& review) {
    std::vector<std::string> heads = {"highest EGT", "highest CHT"};
    if (!review.sweeps.empty())
        heads.push_back("peak in the lean sweep");
    return heads;
}

std::vector<CylinderLine> cylinderLines(const FlightReview& review,
                                        const AircraftProfile& profile) {
    std::vector<CylinderLine> lines;
    for (int c = 0; c < shownCylinders(review, profile); ++c) {
        const std::size_t i = std::size_t(c);
        CylinderLine line{
            c,
            {hottest(review.figures.hottestEgt[i], Gauge::egt, review, profile,
                     review.figures.egtProbeStuck[i]),
             hottest(review.figures.hottestCht[i], Gauge::cht, review, profile, false)}};
        if (!review.sweeps.empty())
            line.cells.push_back(sweepPeakText(review.sweeps.front().peaks[i], profile));
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> sweepLines(const FlightReview& review, const AircraftProfile& profile) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < review.sweeps.size() && i < sweepsListed; ++i)
        lines.push_back(sweepText(review, review.sweeps[i], profile));
    if (review.sweepCount > lines.size())
        lines.back() += ", and " + std::to_string(review.sweepCount - lines.size()) + " more";
    return lines;
}

int shownCylinders(const FlightReview& review, const AircraftProfile& profile) {
    int count = 0;
    for (int c = 0; c < std::min(profile.cylinders, maxCylinders); ++c)
        if (review.quantities[std::size_t(cylinderEgt(c))] ||
            review.quantities[std::size_t(cylinderCht(c))])
            count = c + 1;
    const bool single = review.quantities[std::size_t(Quantity::egt)] ||
                        review.quantities[std::size_t(Quantity::cht)];
    return std::max(count, single ? 1 : 0);
}

bool logHas(const FlightReview& review, const SeriesRow& series) {
    const auto has = [&](Quantity q) { return review.quantities[std::size_t(q)]; };
    if (has(series.quantity))
        return true;
    return series.cylinder == 0 && has(series.plot == Plot::egt ? Quantity::egt : Quantity::cht);
}

bool failedProbe(const FlightReview& review, const SeriesRow& series) {
    return series.plot == Plot::egt && series.cylinder >= 0 &&
           review.figures.egtProbeStuck[std::size_t(series.cylinder)];
}

std::u16string utf16(std::string_view utf8) {
    std::u16string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const int extra = byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
        char32_t code = extra == 2 ? byte & 0x0Fu : extra == 1 ? byte & 0x1Fu : byte;
        for (int k = 1; k <= extra && i + std::size_t(k) < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + std::size_t(k)]) & 0x3Fu);
        text.push_back(char16_t(code));
        i += std::size_t(extra) + 1;
    }
    return text;
}
