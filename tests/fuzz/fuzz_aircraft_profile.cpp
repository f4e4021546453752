// libFuzzer target for the aircraft profile reader: whatever the text, it
// either refuses it with one line naming the file, a line and a column, or
// gives a profile the screen can draw, which it writes and reads back
// unchanged. Built and run by scripts/run-fuzz.
#include "FuzzCheck.h"
#include "aircraft/ProfileChecks.h"
#include "aircraft/ProfileReader.h"
#include "aircraft/ProfileWriter.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const ProfileReading reading = readAircraftProfileText(text, "fuzz.toml");
    if (!reading.profile) {
        check(reading.error.starts_with("fuzz.toml:") &&
              reading.error.find('\n') == std::string::npos);
        return 0;
    }
    check(reading.error.empty() && soundProfile(*reading.profile));
    const ProfileReading again =
        readAircraftProfileText(writeAircraftProfile(*reading.profile), "again.toml");
    check(again.profile && *again.profile == *reading.profile);
    return 0;
}
