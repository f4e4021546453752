// libFuzzer target for the --xplane-map file: whatever the text, the parser
// either names a line or returns a table whose every row fits a request and
// whose quantities are unique. Built and run by scripts/run-fuzz.
#include "FuzzCheck.h"
#include "live/RrefCodec.h"
#include "live/XPlaneMapFile.h"

#include <bitset>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const MapFileResult result =
        parseXPlaneMap(std::string_view(reinterpret_cast<const char*>(bytes), size));
    if (!result.ok()) {
        check(result.map.empty());
        return 0;
    }
    check(result.map.size() <= quantityCount);
    std::bitset<quantityCount> seen;
    for (const DatarefBinding& row : result.map) {
        check(!seen[std::size_t(row.quantity)]);
        seen.set(std::size_t(row.quantity));
        check(unitRow(row.unit).dimension == quantityRow(row.quantity).dimension);
        check(encodeRrefRequest(15, 0, row.path).has_value());
    }
    return 0;
}
