#include "aircraft/NumberText.h"

#include <charconv>
#include <cmath>

std::string numberText(double value) {
    char buffer[64];
    // Beyond 2^53 a whole number is written with an exponent: TOML reads
    // digits alone as a 64-bit integer, which such a number may overflow.
    const bool huge = std::fabs(value) > 9007199254740992.0;
    const auto result =
        huge ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific)
             : std::to_chars(buffer, buffer + sizeof buffer, value);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("?");
}
