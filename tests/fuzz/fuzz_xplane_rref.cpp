// libFuzzer target for X-Plane's RREF answers read through the default
// dataref table: whatever the bytes, only quantities of the table are set,
// each within its plausible range, and a refused frame changes nothing.
// Built and run by scripts/run-fuzz.
#include "FuzzCheck.h"
#include "engine/Quantities.h"
#include "live/XPlaneReader.h"

#include <cstddef>
#include <cstdint>

namespace {

const XPlaneReader reader(defaultDatarefMap());

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    EngineSample latest;
    LiveCounters counters;
    const bool valid = reader.read(std::span(bytes, size), latest, counters);
    check(valid == (counters.validPackets == 1));
    if (!valid)
        check(latest.present.none());
    for (const QuantityRow& row : quantityRows) {
        if (!latest.has(row.quantity))
            continue;
        check(plausible(row.quantity, latest[row.quantity]));
        bool mapped = false;
        for (const DatarefBinding& binding : reader.map())
            mapped = mapped || binding.quantity == row.quantity;
        check(mapped);
    }
    return 0;
}
