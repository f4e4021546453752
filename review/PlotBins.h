#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A value's course through a whole log in bounded memory: the log's time cut
// into at most `capacity` bins of one length, each keeping the lowest and
// highest value seen in it, the first and the last, and whether the line
// comes into it from the value before. When the log outgrows the bins their
// length doubles and neighbours merge, so a log of any length is held in the
// same room, at least half as finely as the bins allow.
struct PlotBin {
    float low = 0;
    float high = 0;
    float first = 0;
    float last = 0;
    bool filled = false;
    // The bin's first value follows on from the value before it, with no gap
    // in the log between them.
    bool joined = false;

    void add(float value, bool joinedToBefore);
    // This bin followed by `later`, as one.
    void merge(const PlotBin& later);
};

// The bins' common clock: which bin a time falls in, and when every series
// must halve.
class BinClock {
public:
    explicit BinClock(std::size_t capacity, double firstLength = 0.01)
        : capacity_(capacity), length_(firstLength) {}

    std::size_t capacity() const { return capacity_; }
    double length() const { return length_; }
    // How many times the bins must halve before `time` fits in them.
    int halvingsFor(double time) const;
    void halve() { length_ *= 2; }
    std::size_t binOf(double time) const;

private:
    std::size_t capacity_;
    double length_;
};

// Merges neighbouring bins in pairs, in place; the second half empties.
template <class Bin, class Merge>
void halveBins(std::vector<Bin>& bins, Merge merge) {
    const std::size_t half = bins.size() / 2;
    for (std::size_t i = 0; i < half; ++i) {
        Bin pair = bins[2 * i];
        merge(pair, bins[2 * i + 1]);
        bins[i] = pair;
    }
    for (std::size_t i = half; i < bins.size(); ++i)
        bins[i] = Bin{};
}

// The bins starting in each of `columns` equal spans of [0, span] (the last
// taking any beyond), merged: what one pixel column of a plot `columns` wide
// shows.
std::vector<PlotBin> binsPerColumn(const std::vector<PlotBin>& bins, double binLength, double span,
                                   int columns);
// The same for a severity per bin, the highest of those met.
std::vector<std::uint8_t> levelsPerColumn(const std::vector<std::uint8_t>& bins, double binLength,
                                          double span, int columns);
