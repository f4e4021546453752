#include "aircraft/ProfileWriter.h"

#include "aircraft/NumberText.h"
#include "aircraft/ProfileKeys.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr std::string_view preface =
    "# Aircraft profile for Corvane Zentor Demo, read by\n"
    "#   zentor-demo --aircraft FILE   and   zentor-snapshot --aircraft FILE\n"
    "#\n"
    "# Scales and markings are in the engine's own units (degrees F, psi, inHg,\n"
    "# US gal, gal/h) whatever the display units below. A range is [from, to], as\n"
    "# in the pilot's operating handbook; a colour may have several ranges, or none\n"
    "# ([]). Ranges may meet at an end but not overlap, and stay on their scale.\n"
    "# A gauge table left out keeps the instrument's own values; in a gauge table\n"
    "# written, its scale is needed and a marking left out is not there.\n";

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string pair(double a, double b) {
    return "[" + numberText(a) + ", " + numberText(b) + "]";
}

std::string rangesText(const Ranges& ranges) {
    std::string text = "[";
    for (const ValueRange& range : ranges)
        text += (text.size() > 1 ? ", " : "") + pair(range.from, range.to);
    return text + "]";
}

std::string redLinesText(const RedLines& lines) {
    std::string text = "[";
    for (const double line : lines)
        text += (text.size() > 1 ? ", " : "") + numberText(line);
    return text + "]";
}

std::string readoutText(const WhiteReadout& readout) {
    std::string text;
    for (const profile_keys::BoundKey& key : profile_keys::bounds) {
        const Bound bound = key.upper ? readout.highBound : readout.lowBound;
        if (bound == key.bound)
            text += (text.empty() ? "" : ", ") + std::string(key.key) + " = " +
                    numberText(key.upper ? readout.high : readout.low);
    }
    return text.empty() ? "{}" : "{ " + text + " }";
}

void line(std::string& text, std::string_view key, const std::string& value,
          std::string_view comment) {
    text += std::string(key) + " = " + value + " # " + std::string(comment) + "\n";
}

std::string unitName(Unit unit) {
    return quoted(unitRow(unit).name);
}

void writeTopLevel(std::string& text, const AircraftProfile& profile) {
    namespace keys = profile_keys;
    if (profile.tailNumber.empty())
        text += "# " + std::string(keys::tailNumber) +
                " = \"N12345\" # registration on the status bar and in recordings\n";
    else
        line(text, keys::tailNumber, quoted(profile.tailNumber.view()),
             "registration on the status bar and in recordings; leave out for none");
    line(text, keys::cylinders, numberText(profile.cylinders), "EGT and CHT columns: 4 or 6");
    line(text, keys::temperatureUnit, unitName(profile.temperatureUnit),
         "temperatures shown in degF or degC");
    line(text, keys::fuelUnit, unitName(profile.fuelUnit), "fuel shown in gal (US) or l");
    line(text, keys::leftTank, numberText(profile.leftTank), "US gal at the F mark of LEFT");
    line(text, keys::rightTank, numberText(profile.rightTank), "US gal at the F mark of RIGHT");
    line(text, keys::leanPeakDrop, numberText(profile.leanPeakDrop),
         "degrees F an EGT falls below its highest before lean-find calls it the peak, 1 to 100");
}

void writeGauge(std::string& text, const GaugeRow& row, const GaugeProfile& gauge) {
    namespace keys = profile_keys;
    const std::string unit(unitRow(engineUnit(row.gauge)).symbol);
    text += "\n[" + std::string(row.key) + "] # " + std::string(row.shows) + ", " + unit + "\n";
    if (row.gauge == Gauge::fuelQuantity)
        text += "# no scale: each gauge reads from empty to its tank's F mark\n";
    else
        line(text, keys::scale, pair(gauge.min, gauge.max), "bottom and top, " + unit);
    for (const keys::ColourKey& colour : keys::colours)
        line(text, colour.key, rangesText(gauge.*colour.ranges),
             std::string(colour.meaning) + ", " + unit);
    line(text, keys::redLines, redLinesText(gauge.redLines), "limit marks, " + unit);
    if (gauge.whiteReadout)
        line(text, keys::readoutWhite, readoutText(*gauge.whiteReadout),
             "readout white from at_least/above to at_most/below, red outside; {}: always white");
    else
        text += "# " + std::string(keys::readoutWhite) +
                " left out: the readout reads white inside green, red outside\n";
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::string writeAircraftProfile(const AircraftProfile& profile) {
    std::string text(preface);
    text += "\n";
    writeTopLevel(text, profile);
    for (const GaugeRow& row : gaugeRows)
        writeGauge(text, row, profile.gauge(row.gauge));
    return text;
}

std::string writeAircraftProfileFile(const std::string& path, const AircraftProfile& profile,
                                     bool replace) {
    const std::string text = writeAircraftProfile(profile);
    // "x": an existing file is never opened, so it is never cut short.
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), replace ? "w" : "wx"));
    if (!file)
        return errno == EEXIST ? path + " exists; --force replaces it"
                               : "cannot write " + path + ": " + std::strerror(errno);
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    if (!written || std::fclose(file.release()) != 0)
        return "cannot write " + path + ": " + std::strerror(errno);
    return {};
}
