#include "screen/Readouts.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

std::u16string padded(const char* first, const char* last, int width) {
    const auto length = static_cast<int>(last - first);
    std::u16string text(static_cast<std::size_t>(length < width ? width - length : 0), u' ');
    text.append(first, last);
    return text;
}

bool above(double value, Limit limit, double bound) {
    return limit == Limit::none || (limit == Limit::inclusive ? value >= bound : value > bound);
}

bool below(double value, Limit limit, double bound) {
    return limit == Limit::none || (limit == Limit::inclusive ? value <= bound : value < bound);
}

} // namespace

std::int32_t readoutInteger(double value, double notANumber) {
    constexpr double beyondHighest = 2147483648.0; // 2^31
    constexpr double beyondLowest = -2147483649.0; // -2^31 - 1
    if (std::isnan(value))
        value = std::isnan(notANumber) ? 0.0 : notANumber;
    if (value >= beyondHighest)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= beyondLowest)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::u16string formatReadout(double value, NumberFormat format, double notANumber) {
    // Wide enough for any double in fixed notation.
    char buffer[400];
    const auto result =
        format.truncated
            ? std::to_chars(buffer, buffer + sizeof buffer, readoutInteger(value, notANumber))
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                            format.precision);
    if (result.ec != std::errc())
        return std::u16string();
    return padded(buffer, result.ptr, format.width);
}

NumberFormat fittingFormat(NumberFormat format, double value) {
    if (format.precision > 0 && !(std::fabs(value) < 99.95))
        format.precision = 0;
    return format;
}

std::u16string noDataReadout(NumberFormat format) {
    // Two digits at least before the point, as any reading of the gauge has.
    const int fraction = format.precision > 0 ? format.precision + 1 : 0;
    const int whole = format.width - fraction > 2 ? format.width - fraction : 2;
    std::u16string text(static_cast<std::size_t>(whole), u'-');
    if (format.precision > 0) {
        text += u'.';
        text.append(static_cast<std::size_t>(format.precision), u'-');
    }
    return text;
}

bool inWhiteRange(double value, WhiteRange range) {
    return above(value, range.lowerLimit, range.low) && below(value, range.upperLimit, range.high);
}
