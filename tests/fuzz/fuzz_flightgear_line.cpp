// libFuzzer target for FlightGear's generic-protocol lines: whatever the
// bytes, a line is taken whole or not at all, and every value taken lies
// within its quantity's plausible range. Built and run by scripts/run-fuzz.
#include "FuzzCheck.h"
#include "engine/Quantities.h"
#include "live/FlightGearProtocol.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    EngineSample latest;
    LiveCounters counters;
    const bool valid = readFlightGearLine(std::span(bytes, size), latest, counters);
    if (!valid)
        check(latest.present.none() && counters.values == 0);
    check(latest.present.count() <= flightGearPropertyCount);
    for (const QuantityRow& row : quantityRows)
        if (latest.has(row.quantity))
            check(plausible(row.quantity, latest[row.quantity]));
    return 0;
}
