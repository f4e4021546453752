#pragma once

#include <algorithm>
#include <functional>

// Compile-time checks for the instrument's constexpr tables. Every table is
// walked at run time through the pointers its rows hold, so a row that left
// one out must fail to compile rather than be followed.

// True when, in every row, each of `members` (a member pointer, or a function
// of the row for a nested one) gives a pointer that is not null.
template <class Rows, class... Members>
constexpr bool noNullPointers(const Rows& rows, Members... members) {
    return std::ranges::all_of(
        rows, [&](const auto& row) { return ((std::invoke(members, row) != nullptr) && ...); });
}
