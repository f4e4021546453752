#include "leanfind/LeanView.h"

#include <cmath>
#include <string>

namespace {

// A temperature difference: the scale of the unit, never its offset.
double temperatureDifference(double degreesF, Unit unit) {
    return degreesF * conversionBetween(Unit::degF, unit).scale;
}

double shownFlow(double gallonsPerHour, Unit fuelUnit) {
    const Unit flowUnit = fuelUnit == Unit::litres ? Unit::litresPerHour : Unit::gallonsPerHour;
    return conversionBetween(Unit::gallonsPerHour, flowUnit)(gallonsPerHour);
}

// "+45", "-25", "0": whole degrees, the sign always shown before the peak.
std::u16string signedDegrees(double difference, bool pastPeak) {
    const long whole = std::lround(difference);
    std::u16string text;
    if (whole > 0 || (!pastPeak && whole == 0))
        text = u"+";
    else if (whole < 0)
        text = u"-";
    for (const char c : std::to_string(std::labs(whole)))
        text += char16_t(c);
    return text;
}

} // namespace

LeanView leanView(const LeanFinder& finder, std::size_t selected, Unit temperatureUnit,
                  Unit fuelUnit) {
    LeanView view;
    view.singleProbe = finder.channels() == 1;
    const std::size_t channel = view.singleProbe ? 0 : selected;
    view.status = u"LEAN";
    if (channel < finder.channels()) {
        const LeanSide side = finder.side(channel);
        if (side != LeanSide::unknown)
            view.status = side == LeanSide::lean ? u"LOP" : u"ROP";
        if (const std::optional<double> change = finder.fromPeakOrStart(channel))
            view.difference = signedDegrees(temperatureDifference(*change, temperatureUnit),
                                            finder.peak(channel).has_value());
    }
    if (const std::optional<std::size_t> first = finder.firstToPeak(); first && !view.singleProbe)
        view.firstToPeak = int(*first) + 1;
    for (std::size_t c = 0; c < finder.channels(); ++c)
        if (const std::optional<LeanPeak>& peak = finder.peak(c); peak && peak->fuelFlow)
            view.peakFlow[c] = shownFlow(*peak->fuelFlow, fuelUnit);
    if (const std::optional<double> spread = finder.fuelFlowSpread())
        view.flowSpread = shownFlow(*spread, fuelUnit);
    return view;
}
