#include "aircraft/NearestKey.h"

#include <algorithm>
#include <numeric>
#include <vector>

std::size_t editDistance(std::string_view a, std::string_view b) {
    // One row of the table at a time: row[j] is the distance from the part of
    // `a` read so far to the first j letters of `b`.
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string_view nearestKey(std::string_view key, std::span<const std::string_view> known) {
    std::string_view nearest;
    std::size_t best = 0;
    for (const std::string_view candidate : known) {
        const std::size_t distance = editDistance(key, candidate);
        if (nearest.empty() || distance < best) {
            nearest = candidate;
            best = distance;
        }
    }
    return nearest;
}
