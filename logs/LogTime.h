#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Times as logs and the command line write them. Each parser takes the whole
// (trimmed) text or nothing.

// "h:mm:ss", "h:mm:ss.fff" or "mm:ss" in seconds; hours may pass 24.
std::optional<double> parseClock(std::string_view text);

// Days since 1970-01-01 for "yyyy-mm-dd", "yyyy/mm/dd", "m/d/yyyy" (month
// first, as avionics of the US write it) and "d.m.yyyy".
std::optional<std::int64_t> parseDate(std::string_view text);

// "+hh:mm", "-hh:mm", "+hhmm", "-h" in seconds east of UTC.
std::optional<double> parseUtcOffset(std::string_view text);

// ISO 8601 date and time, "yyyy-mm-ddThh:mm:ss[.fff][Z|+hh:mm]" (a blank
// for the T is fine), in seconds since 1970-01-01 UTC; without a zone the
// time is taken as it stands.
std::optional<double> parseDateTime(std::string_view text);

// A place in a log for --from and --at: seconds ("90", "12.5") or
// "[h:]mm:ss", counted from the log's first row; never negative.
std::optional<double> parseLogPosition(std::string_view text);

// A place in a log as the window caption shows it: "hh:mm:ss", whole seconds
// rounded down; "--:--:--" for a time that is not a number.
std::string formatLogClock(double seconds);
