#include "review/PlotBins.h"

#include <algorithm>
#include <cmath>

void PlotBin::add(float value, bool joinedToBefore) {
    if (!filled) {
        *this = {value, value, value, value, true, joinedToBefore};
        return;
    }
    low = std::min(low, value);
    high = std::max(high, value);
    last = value;
}

void PlotBin::merge(const PlotBin& later) {
    if (!later.filled)
        return;
    if (!filled) {
        *this = later;
        return;
    }
    low = std::min(low, later.low);
    high = std::max(high, later.high);
    last = later.last;
}

int BinClock::halvingsFor(double time) const {
    int halvings = 0;
    for (double length = length_; time >= length * double(capacity_); length *= 2)
        ++halvings;
    return halvings;
}

std::size_t BinClock::binOf(double time) const {
    const double bin = std::floor(std::max(0.0, time) / length_);
    return std::min(capacity_ - 1, std::size_t(bin));
}

namespace {

// Each bin into the column its start falls in: a bin wider than a column
// is drawn once, and the columns it spans beyond are bridged by the line.
template <class Bin, class Merge>
std::vector<Bin> perColumn(const std::vector<Bin>& bins, double binLength, double span, int columns,
                           Merge merge) {
    std::vector<Bin> result(std::size_t(std::max(columns, 0)));
    if (result.empty() || !(binLength > 0) || !(span > 0))
        return result;
    const double columnLength = span / double(columns);
    for (std::size_t b = 0; b < bins.size(); ++b) {
        const double column = std::floor(double(b) * binLength / columnLength);
        const auto c = std::size_t(std::min(column, double(columns - 1)));
        merge(result[c], bins[b]);
    }
    return result;
}

} // namespace

std::vector<PlotBin> binsPerColumn(const std::vector<PlotBin>& bins, double binLength, double span,
                                   int columns) {
    return perColumn(bins, binLength, span, columns,
                     [](PlotBin& into, const PlotBin& bin) { into.merge(bin); });
}

std::vector<std::uint8_t> levelsPerColumn(const std::vector<std::uint8_t>& bins, double binLength,
                                          double span, int columns) {
    return perColumn(bins, binLength, span, columns,
                     [](std::uint8_t& into, std::uint8_t bin) { into = std::max(into, bin); });
}
