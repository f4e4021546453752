#include "tools/LeanSnapshot.h"

#include "leanfind/LeanReadings.h"
#include "logs/LogRows.h"
#include "logs/LogTime.h"
#include "screen/LeanReadouts.h"
#include "screen/Readouts.h"

#include <algorithm>

namespace {

// The screen's words are ASCII.
std::string narrow(const std::u16string& text) {
    return {text.begin(), text.end()};
}

} // namespace

LeanReplay leanSearchOf(const std::string& path, double start, double at,
                        const AircraftProfile& profile) {
    LeanFinder finder(LeanRule{.peakDrop = profile.leanPeakDrop});
    const LogRowsRead read = forEachLogRow(path, [&](const EngineSample& row, double time) {
        if (time > at)
            return false;
        if (time >= start) {
            EngineSample timed = row;
            timed.time = time;
            finder.update(leanReading(timed, profile.cylinders));
        }
        return true;
    });
    if (!read.error.empty())
        return {std::nullopt, read.error};
    return {finder, {}};
}

std::string leanLine(double at, const LeanView& view, std::size_t selected, std::size_t channels) {
    std::string line = "lean " + formatLogClock(at) + ": " + narrow(leanStatus(view)) + "  ";
    line += view.singleProbe ? "EGT " : "cylinder " + std::to_string(selected + 1) + " ";
    line += view.difference.empty() ? "--" : narrow(view.difference);
    line += view.singleProbe ? "  peak" : "  peaks";
    for (std::size_t c = 0; c < std::min(channels, view.peakFlow.size()); ++c) {
        const std::optional<double>& flow = view.peakFlow[c];
        line += view.singleProbe ? " " : " " + std::to_string(c + 1) + ":";
        line += flow ? narrow(formatReadout(*flow, fixed3_1)) : "--";
    }
    return line;
}
