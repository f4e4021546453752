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
    constexpr std::size_t longest = 64;
    if (cell.empty() || cell.size() > longest)
        return std::nullopt;
    // Only a decimal comma needs a copy to read; every cell of every row is
    // read while a log is indexed, so the usual one is read where it stands.
    std::array<char, longest> copy;
    const char* first = cell.data();
    if (decimalComma && cell.find(',') != std::string_view::npos) {
        for (std::size_t i = 0; i < cell.size(); ++i)
            copy[i] = cell[i] == ',' ? '.' : cell[i];
        first = copy.data();
    }
    double value = 0;
    const char* const last = first + cell.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}
