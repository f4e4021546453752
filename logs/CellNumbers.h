#pragma once

#include <optional>
#include <string_view>

// The number in a trimmed cell, or nothing: an empty cell, text that is not
// wholly a number, nan, inf and anything beyond double's range (1e999) are no
// data, never zero. Logs with ';' separators may write a decimal comma.
std::optional<double> readNumber(std::string_view cell, bool decimalComma = false);
