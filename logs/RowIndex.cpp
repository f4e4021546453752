#include "logs/RowIndex.h"

#include <algorithm>

void RowIndex::offer(const Checkpoint& row) {
    if (!points.empty() && row.at.offset <= last().at.offset)
        return; // read again after the file changed
    const auto wanted = [&] {
        return row.at.track.rows % every == 0 ||
               (!points.empty() && row.at.offset - last().at.offset >= bytesApart);
    };
    if (!wanted())
        return;
    if (points.size() == capacity) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < points.size(); i += 2)
            points[kept++] = points[i];
        points.resize(kept);
        every *= 2;
        if (!wanted())
            return;
    }
    points.push_back(row);
}

const Checkpoint* RowIndex::before(double time) const {
    if (points.empty())
        return nullptr;
    const auto after = std::upper_bound(points.begin(), points.end(), time,
                                        [](double t, const Checkpoint& c) { return t < c.time; });
    return after == points.begin() ? &points.front() : &*(after - 1);
}

void RowIndex::forgetFrom(std::uint64_t offset) {
    const auto from =
        std::lower_bound(points.begin(), points.end(), offset,
                         [](const Checkpoint& c, std::uint64_t o) { return c.at.offset < o; });
    points.erase(from, points.end());
}
