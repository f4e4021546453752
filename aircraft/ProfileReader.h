#pragma once

#include "aircraft/AircraftProfile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reading an aircraft profile file (TOML). A profile is small and
// hand-edited: a file past maxProfileBytes, an empty one or one holding
// binary data is refused before it is parsed. Every problem is one line,
// FILE:LINE:COLUMN: what is wrong, for the first problem in the file.
//
// Keys left out take the instrument's own values (defaultProfile()): a
// top-level key, or a whole gauge table. In a gauge table that is written
// the scale is needed, a colour or red lines left out mean none, and a
// readout_white left out means white inside the green ranges. The tail
// number is the exception: left out, the profile names no aircraft.

inline constexpr std::size_t maxProfileBytes = 256 * 1024;

struct ProfileReading {
    std::optional<AircraftProfile> profile; // none when refused
    std::string error;                      // the one line when refused
};

// `text` as the contents of a file called `fileName`.
ProfileReading readAircraftProfileText(std::string_view text, std::string_view fileName);

ProfileReading readAircraftProfile(const std::string& path);
