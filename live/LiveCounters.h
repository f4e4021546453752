#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Why a packet, or one value in it, was ignored. Whole packets: a wrong
// sender, a broken frame or line. Single values: the rest.
enum class Ignored : std::uint8_t {
    wrongSender,   // not from the simulator subscribed to
    oversized,     // longer than any answer or line we asked for
    wrongMagic,    // not an RREF answer
    tooShort,      // no whole (index, value) pair after the header
    oddLength,     // bytes after the header not a multiple of 8
    tooFewFields,  // a line with fewer fields than the protocol file lists
    tooManyFields, // a line with more
    badField,      // a field that is not a number, or bytes that are not text
    unknownIndex,  // an index we never subscribed
    unusedValue,   // X-Plane's -999: the aircraft has no such value
    nonFinite,     // NaN or infinity
    absurd,        // outside what the quantity can show at all
};

struct IgnoredRow {
    Ignored reason;
    std::string_view name;
};

inline constexpr auto ignoredRows = std::to_array<IgnoredRow>({
    {.reason = Ignored::wrongSender, .name = "wrong sender"},
    {.reason = Ignored::oversized, .name = "oversized"},
    {.reason = Ignored::wrongMagic, .name = "wrong magic"},
    {.reason = Ignored::tooShort, .name = "too short"},
    {.reason = Ignored::oddLength, .name = "odd length"},
    {.reason = Ignored::tooFewFields, .name = "too few fields"},
    {.reason = Ignored::tooManyFields, .name = "too many fields"},
    {.reason = Ignored::badField, .name = "bad field"},
    {.reason = Ignored::unknownIndex, .name = "unknown index"},
    {.reason = Ignored::unusedValue, .name = "unused value"},
    {.reason = Ignored::nonFinite, .name = "non-finite value"},
    {.reason = Ignored::absurd, .name = "absurd value"},
});
inline constexpr std::size_t ignoredReasonCount = std::size_t(Ignored::absurd) + 1;
static_assert(ignoredRows.size() == ignoredReasonCount);

constexpr bool ignoredRowsInOrder() {
    for (std::size_t i = 0; i < ignoredRows.size(); ++i)
        if (std::size_t(ignoredRows[i].reason) != i)
            return false;
    return true;
}
static_assert(ignoredRowsInOrder());

struct LiveCounters {
    std::uint64_t validPackets = 0; // packets that counted as the simulator talking
    std::uint64_t values = 0;       // values taken onto the gauges
    std::array<std::uint64_t, ignoredReasonCount> ignored{};

    void count(Ignored reason) { ++ignored[std::size_t(reason)]; }
    std::uint64_t operator[](Ignored reason) const { return ignored[std::size_t(reason)]; }
};
