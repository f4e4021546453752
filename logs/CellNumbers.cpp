#include "logs/CellNumbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

std::optional<double> readNumber(std::string_view cell, bool decimalComma) {
    // from_chars takes no leading '+'; "+-1" stays unreadable.
    if (cell.size() > 1 && cell.front() == '+' && cell[1] != '-')
        cell.remove_prefix(1);
    // No log writes a number longer than this.
    std::array<char, 64> copy{};
    if (cell.empty() || cell.size() > copy.size())
        return std::nullopt;
    for (std::size_t i = 0; i < cell.size(); ++i)
        copy[i] = decimalComma && cell[i] == ',' ? '.' : cell[i];
    double value = 0;
    const char* const last = copy.data() + cell.size();
    const auto [end, error] = std::from_chars(copy.data(), last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}
