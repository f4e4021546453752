#pragma once

#include <cstdint>
#include <string>

// Readout texts, formatted as the instrument prints them ("%4.1f", "%3d",
// ...), independent of the user's locale.

struct NumberFormat {
    int width;      // at least this many characters, padded with leading blanks
    int precision;  // digits after the point
    bool truncated; // an integer readout: the value truncated toward zero
};

inline constexpr NumberFormat integer1{.width = 1, .precision = 0, .truncated = true};  // "%1d"
inline constexpr NumberFormat integer3{.width = 3, .precision = 0, .truncated = true};  // "%3d"
inline constexpr NumberFormat fixed3_0{.width = 3, .precision = 0, .truncated = false}; // "%3.0lf"
inline constexpr NumberFormat fixed4_0{.width = 4, .precision = 0, .truncated = false}; // "%4.0f"
inline constexpr NumberFormat fixed3_1{.width = 3, .precision = 1, .truncated = false}; // "%3.1f"
inline constexpr NumberFormat fixed4_1{.width = 4, .precision = 1, .truncated = false}; // "%4.1f"

// An integer readout of `value`, truncated toward zero. A value beyond the
// 32-bit range reads as the nearest end of it, and one that is not a number
// as `notANumber` (the bottom of the gauge's scale).
std::int32_t readoutInteger(double value, double notANumber);

// The readout text of `value`; `notANumber` as for readoutInteger.
std::u16string formatReadout(double value, NumberFormat format, double notANumber = 0.0);

// A readout with a decimal drops it from 100 up, so that a value shown in
// litres keeps to the digits its box holds ("173" for "173.0").
NumberFormat fittingFormat(NumberFormat format, double value);

// The readout of a value the instrument does not have: dashes in place of
// its digits ("---", "----", "--.-"), never a number.
std::u16string noDataReadout(NumberFormat format);

// Which side of a colour limit still reads white.
enum class Limit { none, inclusive, exclusive };

// The normal range of a readout: inside it reads white, outside red. A value
// that is not a number is outside every bounded range.
struct WhiteRange {
    Limit lowerLimit = Limit::none;
    double low = 0;
    Limit upperLimit = Limit::none;
    double high = 0;
};

bool inWhiteRange(double value, WhiteRange range);
