#pragma once

#include <cstddef>
#include <span>
#include <string_view>

// The steps (a letter added, dropped or changed) from one key to another.
std::size_t editDistance(std::string_view a, std::string_view b);

// Of `known`, the key closest to `key`; the first of equals. Empty when
// `known` is empty.
std::string_view nearestKey(std::string_view key, std::span<const std::string_view> known);
