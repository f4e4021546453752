#pragma once

#include "aircraft/AircraftProfile.h"

#include <string>

// `profile` as a profile file: every key, each with a comment saying what it
// is and its unit, so that it serves as a starting point to edit. Reading
// the text back gives `profile` exactly.
std::string writeAircraftProfile(const AircraftProfile& profile);

// Writes `profile` to `path`; an existing file is left alone unless
// `replace`. Empty on success, else one line saying what went wrong.
std::string writeAircraftProfileFile(const std::string& path, const AircraftProfile& profile,
                                     bool replace);
