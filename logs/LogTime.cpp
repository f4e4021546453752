#include "logs/LogTime.h"

#include "logs/CellNumbers.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

// A run of 1..maxDigits decimal digits and nothing else.
std::optional<int> readDigits(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Splits "a<sep>b<sep>c" into exactly `count` parts.
template <std::size_t count>
std::optional<std::array<std::string_view, count>> splitInto(std::string_view text, char sep) {
    std::array<std::string_view, count> parts;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = i + 1 < count ? text.find(sep) : text.size();
        if (at == std::string_view::npos)
            return std::nullopt;
        parts[i] = text.substr(0, at);
        text.remove_prefix(at == text.size() ? at : at + 1);
    }
    if (text.find(sep) != std::string_view::npos)
        return std::nullopt;
    return parts;
}

std::optional<std::int64_t> daysOf(int year, int month, int day) {
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(year), std::chrono::month(unsigned(month)),
                              std::chrono::day(unsigned(day))};
    if (!date.ok())
        return std::nullopt;
    return sys_days(date).time_since_epoch().count();
}

// Two digits of seconds, 0 <= s < 60, with an optional fraction.
std::optional<double> readSeconds(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos && point + 1 < text.size() &&
        !readDigits(text.substr(point + 1), 9))
        return std::nullopt;
    if (text.size() < 2 || !readDigits(text.substr(0, std::min(point, text.size())), 2))
        return std::nullopt;
    const std::optional<double> seconds = readNumber(text);
    if (!seconds || *seconds < 0 || *seconds >= 60)
        return std::nullopt;
    return seconds;
}

} // namespace

std::optional<double> parseClock(std::string_view text) {
    std::optional<int> hours = 0;
    std::string_view rest = text;
    if (const auto three = splitInto<3>(text, ':')) {
        hours = readDigits((*three)[0], 6);
        rest = text.substr((*three)[0].size() + 1);
    }
    const auto two = splitInto<2>(rest, ':');
    if (!hours || !two)
        return std::nullopt;
    const std::optional<int> minutes = readDigits((*two)[0], 2);
    const std::optional<double> seconds = readSeconds((*two)[1]);
    if (!minutes || *minutes > 59 || !seconds)
        return std::nullopt;
    return *hours * 3600.0 + *minutes * 60.0 + *seconds;
}

std::optional<std::int64_t> parseDate(std::string_view text) {
    if (const auto dashes = splitInto<3>(text, '-')) {
        const auto y = readDigits((*dashes)[0], 4), m = readDigits((*dashes)[1], 2),
                   d = readDigits((*dashes)[2], 2);
        if (y && m && d && (*dashes)[0].size() == 4)
            return daysOf(*y, *m, *d);
        return std::nullopt;
    }
    if (const auto slashes = splitInto<3>(text, '/')) {
        const auto a = readDigits((*slashes)[0], 4), b = readDigits((*slashes)[1], 2),
                   c = readDigits((*slashes)[2], 4);
        if (!a || !b || !c)
            return std::nullopt;
        if ((*slashes)[0].size() == 4)
            return daysOf(*a, *b, *c);
        if ((*slashes)[2].size() == 4 && (*slashes)[0].size() <= 2)
            return daysOf(*c, *a, *b);
        return std::nullopt;
    }
    if (const auto dots = splitInto<3>(text, '.')) {
        const auto d = readDigits((*dots)[0], 2), m = readDigits((*dots)[1], 2),
                   y = readDigits((*dots)[2], 4);
        if (d && m && y && (*dots)[2].size() == 4)
            return daysOf(*y, *m, *d);
    }
    return std::nullopt;
}

std::optional<double> parseUtcOffset(std::string_view text) {
    if (text.size() < 2 || (text[0] != '+' && text[0] != '-'))
        return std::nullopt;
    const double sign = text[0] == '-' ? -1 : 1;
    text.remove_prefix(1);
    std::optional<int> hours, minutes = 0;
    if (const auto parts = splitInto<2>(text, ':')) {
        hours = readDigits((*parts)[0], 2);
        minutes = (*parts)[1].size() == 2 ? readDigits((*parts)[1], 2) : std::nullopt;
    } else if (text.size() == 4) {
        hours = readDigits(text.substr(0, 2), 2);
        minutes = readDigits(text.substr(2), 2);
    } else {
        hours = readDigits(text, 2);
    }
    if (!hours || !minutes || *hours > 18 || *minutes > 59)
        return std::nullopt;
    return sign * (*hours * 3600.0 + *minutes * 60.0);
}

std::optional<double> parseDateTime(std::string_view text) {
    if (text.size() < 11 || (text[10] != 'T' && text[10] != 't' && text[10] != ' '))
        return std::nullopt;
    const std::optional<std::int64_t> days = parseDate(text.substr(0, 10));
    std::string_view clock = text.substr(11);
    double offset = 0;
    if (!clock.empty() && (clock.back() == 'Z' || clock.back() == 'z')) {
        clock.remove_suffix(1);
    } else if (const std::size_t sign = clock.find_first_of("+-"); sign != std::string_view::npos) {
        const std::optional<double> zone = parseUtcOffset(clock.substr(sign));
        if (!zone)
            return std::nullopt;
        offset = *zone;
        clock = clock.substr(0, sign);
    }
    const std::optional<double> seconds = parseClock(clock);
    if (!days || !seconds || *seconds >= 86400)
        return std::nullopt;
    return double(*days) * 86400.0 + *seconds - offset;
}

std::optional<double> parseLogPosition(std::string_view text) {
    if (text.find(':') != std::string_view::npos)
        return parseClock(text);
    const std::optional<double> seconds = readNumber(text);
    if (!seconds || *seconds < 0)
        return std::nullopt;
    return *seconds + 0.0; // -0 reads as 0
}

std::string formatLogClock(double seconds) {
    if (std::isnan(seconds))
        return "--:--:--";
    // Clamped to what fits: a log of over a century is not a flight.
    const double whole = std::floor(std::clamp(seconds, 0.0, 3.6e9));
    const auto total = static_cast<long long>(whole);
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                  total % 60);
    return text;
}
