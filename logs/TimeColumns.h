#pragma once

#include "logs/ColumnNames.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// What a time column holds. A log's time comes from the first of these it
// has, in this order: elapsed seconds, a full date and time, a date column
// with a time-of-day column, a time of day alone; with none, one row a second.
enum class TimeKind : std::uint8_t {
    elapsed,   // seconds (or h:mm:ss) since some start; our own recordings
    dateTime,  // ISO 8601 date and time in one cell
    date,      // a calendar date, paired with a time of day
    clock,     // time of day, h:mm:ss
    utcOffset, // the local time's offset from UTC, +hh:mm
};

// Which clock a date or a time of day is read on. A row's time is built from
// a date and a time of the same clock, so that midnight in either passes as
// one second; a column that does not say goes with either.
enum class TimeClock : std::uint8_t { unnamed, local, utc };

struct TimeAlias {
    std::string_view key;
    TimeKind kind;
    TimeClock clock = TimeClock::unnamed;
};

inline constexpr auto timeAliases = std::to_array<TimeAlias>({
    {.key = "elapsed", .kind = TimeKind::elapsed},
    {.key = "elapsedtime", .kind = TimeKind::elapsed},
    {.key = "seconds", .kind = TimeKind::elapsed},
    {.key = "sessiontime", .kind = TimeKind::elapsed},
    {.key = "time", .kind = TimeKind::elapsed},

    {.key = "utc", .kind = TimeKind::dateTime},
    {.key = "datetime", .kind = TimeKind::dateTime},
    {.key = "timestamp", .kind = TimeKind::dateTime},
    {.key = "utcdatetime", .kind = TimeKind::dateTime, .clock = TimeClock::utc},
    {.key = "lcldatetime", .kind = TimeKind::dateTime, .clock = TimeClock::local},

    {.key = "lcldate", .kind = TimeKind::date, .clock = TimeClock::local},
    {.key = "localdate", .kind = TimeKind::date, .clock = TimeClock::local},
    {.key = "date", .kind = TimeKind::date},
    {.key = "utcdate", .kind = TimeKind::date, .clock = TimeClock::utc},

    {.key = "lcltime", .kind = TimeKind::clock, .clock = TimeClock::local},
    {.key = "localtime", .kind = TimeKind::clock, .clock = TimeClock::local},
    {.key = "utctime", .kind = TimeKind::clock, .clock = TimeClock::utc},
    {.key = "timeofday", .kind = TimeKind::clock},

    {.key = "utcofst", .kind = TimeKind::utcOffset},
    {.key = "utcoffset", .kind = TimeKind::utcOffset},
});
inline constexpr std::size_t timeAliasCount = 20;
static_assert(timeAliases.size() == timeAliasCount);

constexpr std::optional<std::size_t> findTimeAlias(std::string_view key) {
    for (std::size_t i = 0; i < timeAliases.size(); ++i)
        if (timeAliases[i].key == key)
            return i;
    return std::nullopt;
}

constexpr bool timeAliasesUsable() {
    for (std::size_t i = 0; i < timeAliases.size(); ++i) {
        if (!isNameKey(timeAliases[i].key))
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (timeAliases[j].key == timeAliases[i].key)
                return false;
    }
    return true;
}
static_assert(timeAliasesUsable());
