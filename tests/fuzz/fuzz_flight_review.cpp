// libFuzzer target for the flight review: any bytes read as a log into its
// figures and plots. Whatever the bytes, the plots keep their room, every
// figure stays within the log and its quantities' ranges, and at most three
// alarms are listed. Built and run by scripts/run-fuzz.
#include "FuzzCheck.h"
#include "aircraft/InstrumentProfile.h"
#include "engine/Quantities.h"
#include "review/FlightReview.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr int columns = 64;

void checkHottest(const std::optional<TimedValue>& value, Quantity quantity, double length) {
    if (!value)
        return;
    const QuantityRow& range = quantityRow(quantity);
    check(value->value >= range.lowest && value->value <= range.highest);
    check(value->time >= 0 && value->time <= length);
}

void checkFigures(const FlightFigures& f) {
    check(std::isfinite(f.length) && f.length >= 0 && f.rows > 0);
    if (f.runningSeconds)
        check(*f.runningSeconds >= 0 && *f.runningSeconds <= f.length + 1e-6);
    if (f.fuelByFlow)
        check(std::isfinite(*f.fuelByFlow) && *f.fuelByFlow >= 0);
    if (f.fuelByQuantity)
        check(std::isfinite(*f.fuelByQuantity));
    for (int c = 0; c < maxCylinders; ++c) {
        checkHottest(f.hottestEgt[std::size_t(c)], cylinderEgt(c), f.length);
        checkHottest(f.hottestCht[std::size_t(c)], cylinderCht(c), f.length);
    }
    if (f.cruiseSpread)
        check(f.cruiseSpread->value >= 0 && f.cruiseSpread->hottest != f.cruiseSpread->coolest);
    check(f.firstAlarms.size() <= alarmsListed && f.firstAlarms.size() <= f.alarmCount);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ReviewReading reading = reviewLogBytes("fuzz.csv", bytes, instrumentProfile, columns);
    check(reading.review.has_value() == reading.error.empty());
    if (!reading.review)
        return 0;
    const FlightReview& review = *reading.review;
    checkFigures(review.figures);
    check(review.binLength > 0);
    for (const auto& bins : review.series) {
        check(bins.size() == 2 * columns);
        for (const PlotBin& bin : bins)
            check(!bin.filled ||
                  (bin.low <= bin.high && bin.first >= bin.low && bin.first <= bin.high &&
                   bin.last >= bin.low && bin.last <= bin.high));
    }
    return 0;
}
