#include "resources/generators/Palette.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <vector>

namespace zentor::art {

namespace {

struct Entry {
    std::array<int, 3> rgb;
    std::int64_t count;
};

using Range = std::pair<std::size_t, std::size_t>; // [first, last) into the entries

// Squared colour distance weighted roughly as the eye weighs the channels.
std::int64_t distance(const std::array<int, 3>& a, const std::array<int, 3>& b) {
    const std::int64_t dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

std::array<int, 3> channels(QRgb colour) {
    return {qRed(colour), qGreen(colour), qBlue(colour)};
}

// Sum of squared deviations from the mean, over the three channels.
double squaredError(const std::vector<Entry>& entries, Range range) {
    double n = 0, sum[3] = {}, square[3] = {};
    for (std::size_t i = range.first; i < range.second; ++i) {
        const double w = double(entries[i].count);
        n += w;
        for (int c = 0; c < 3; ++c) {
            sum[c] += w * entries[i].rgb[c];
            square[c] += w * entries[i].rgb[c] * entries[i].rgb[c];
        }
    }
    double error = 0;
    for (int c = 0; c < 3; ++c)
        error += square[c] - sum[c] * sum[c] / n;
    return error;
}

int widestChannel(const std::vector<Entry>& entries, Range range) {
    int best = 0, bestSpread = -1;
    for (int c = 0; c < 3; ++c) {
        int low = 255, high = 0;
        for (std::size_t i = range.first; i < range.second; ++i) {
            low = std::min(low, entries[i].rgb[c]);
            high = std::max(high, entries[i].rgb[c]);
        }
        if (high - low > bestSpread) {
            bestSpread = high - low;
            best = c;
        }
    }
    return best;
}

// Sorts the range along its widest channel and cuts where the two halves'
// summed error is smallest.
std::size_t bestCut(std::vector<Entry>& entries, Range range) {
    const int axis = widestChannel(entries, range);
    std::sort(entries.begin() + std::ptrdiff_t(range.first),
              entries.begin() + std::ptrdiff_t(range.second),
              [axis](const Entry& a, const Entry& b) {
                  return a.rgb[axis] != b.rgb[axis] ? a.rgb[axis] < b.rgb[axis] : a.rgb < b.rgb;
              });
    double total = 0, totalSum[3] = {}, totalSquare = 0;
    for (std::size_t i = range.first; i < range.second; ++i) {
        const double w = double(entries[i].count);
        total += w;
        for (int c = 0; c < 3; ++c) {
            totalSum[c] += w * entries[i].rgb[c];
            totalSquare += w * entries[i].rgb[c] * entries[i].rgb[c];
        }
    }
    double n = 0, sum[3] = {}, square = 0, bestError = std::numeric_limits<double>::max();
    std::size_t cut = range.first + 1;
    for (std::size_t i = range.first; i + 1 < range.second; ++i) {
        const double w = double(entries[i].count);
        n += w;
        double leftMean = 0, rightMean = 0;
        for (int c = 0; c < 3; ++c) {
            sum[c] += w * entries[i].rgb[c];
            square += w * entries[i].rgb[c] * entries[i].rgb[c];
            leftMean += sum[c] * sum[c] / n;
            rightMean += (totalSum[c] - sum[c]) * (totalSum[c] - sum[c]) / (total - n);
        }
        const double error = (square - leftMean) + (totalSquare - square - rightMean);
        if (error < bestError) {
            bestError = error;
            cut = i + 1;
        }
    }
    return cut;
}

std::vector<std::array<int, 3>> medianCut(std::vector<Entry> entries, std::size_t colours) {
    std::vector<Range> boxes{{0, entries.size()}};
    while (boxes.size() < colours) {
        std::size_t worst = 0;
        double worstError = -1;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].second - boxes[b].first < 2)
                continue;
            const double error = squaredError(entries, boxes[b]);
            if (error > worstError) {
                worstError = error;
                worst = b;
            }
        }
        if (worstError <= 0)
            break;
        const std::size_t cut = bestCut(entries, boxes[worst]);
        boxes.push_back({cut, boxes[worst].second});
        boxes[worst].second = cut;
    }
    std::vector<std::array<int, 3>> palette;
    for (const Range& box : boxes) {
        double n = 0, sum[3] = {};
        for (std::size_t i = box.first; i < box.second; ++i) {
            n += double(entries[i].count);
            for (int c = 0; c < 3; ++c)
                sum[c] += double(entries[i].count) * entries[i].rgb[c];
        }
        palette.push_back({int(sum[0] / n + 0.5), int(sum[1] / n + 0.5), int(sum[2] / n + 0.5)});
    }
    return palette;
}

std::size_t nearest(const std::vector<std::array<int, 3>>& palette, const std::array<int, 3>& rgb) {
    std::size_t best = 0;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (std::size_t p = 0; p < palette.size(); ++p) {
        const std::int64_t d = distance(palette[p], rgb);
        if (d < bestDistance) {
            bestDistance = d;
            best = p;
        }
    }
    return best;
}

// Moves each entry to the weighted mean of the colours nearest to it.
void refine(std::vector<std::array<int, 3>>& palette, const std::vector<Entry>& entries) {
    constexpr int rounds = 4;
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::array<double, 4>> sums(palette.size(), {0, 0, 0, 0});
        for (const Entry& entry : entries) {
            auto& s = sums[nearest(palette, entry.rgb)];
            for (int c = 0; c < 3; ++c)
                s[c] += double(entry.count) * entry.rgb[c];
            s[3] += double(entry.count);
        }
        for (std::size_t p = 0; p < palette.size(); ++p)
            if (sums[p][3] > 0)
                for (int c = 0; c < 3; ++c)
                    palette[p][c] = int(sums[p][c] / sums[p][3] + 0.5);
    }
}

} // namespace

IndexedImage quantise(const QImage& image, int bitsPerPixel, std::span<const QRgb> exact) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, std::int64_t> histogram;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            ++histogram[rgb.pixel(x, y) | 0xFF000000u];
    std::vector<Entry> entries;
    for (const auto& [colour, count] : histogram)
        if (std::find(exact.begin(), exact.end(), colour) == exact.end())
            entries.push_back({channels(colour), count});

    const std::size_t budget = (std::size_t(1) << bitsPerPixel) - exact.size();
    std::vector<std::array<int, 3>> free;
    if (entries.size() <= budget) {
        for (const Entry& entry : entries)
            free.push_back(entry.rgb);
    } else {
        free = medianCut(entries, budget);
        refine(free, entries);
    }
    std::sort(free.begin(), free.end());

    IndexedImage out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.bitsPerPixel = bitsPerPixel;
    out.palette.assign(exact.begin(), exact.end());
    for (const auto& c : free)
        out.palette.push_back(qRgb(c[0], c[1], c[2]));

    std::map<QRgb, std::uint8_t> lookup;
    for (std::size_t e = 0; e < exact.size(); ++e)
        lookup[exact[e] | 0xFF000000u] = std::uint8_t(e);
    for (const auto& [colour, count] : histogram)
        if (!lookup.count(colour))
            lookup[colour] = std::uint8_t(exact.size() + nearest(free, channels(colour)));
    out.indices.reserve(std::size_t(out.width) * out.height);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            out.indices.push_back(lookup[rgb.pixel(x, y) | 0xFF000000u]);
    return out;
}

} // namespace zentor::art
