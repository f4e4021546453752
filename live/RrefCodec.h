#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// X-Plane's RREF exchange over UDP, all little-endian. A request is "RREF\0",
// a 32-bit frequency (answers a second; 0 ends the subscription), a 32-bit
// index and the dataref path in 400 zero-padded bytes. An answer is "RREF"
// and one more byte, then (32-bit index, 32-bit float) pairs.
inline constexpr std::size_t rrefRequestSize = 413;
inline constexpr std::size_t rrefPathFieldSize = 400;
inline constexpr std::size_t rrefHeaderSize = 5;
inline constexpr std::size_t rrefPairSize = 8;
// We never subscribe more than a few dozen datarefs; 256 pairs is far beyond
// any answer X-Plane sends us, and anything longer is not for us.
inline constexpr std::size_t rrefMaxPairs = 256;
inline constexpr std::size_t rrefMaxAnswerSize = rrefHeaderSize + rrefMaxPairs * rrefPairSize;
// X-Plane's mark for a dataref the aircraft does not have.
inline constexpr float rrefUnusedValue = -999.0f;

using RrefRequest = std::array<std::uint8_t, rrefRequestSize>;

// Empty when the path does not fit the field or holds a zero byte.
std::optional<RrefRequest> encodeRrefRequest(std::int32_t frequency, std::int32_t index,
                                             std::string_view path);

struct RrefPair {
    std::int32_t index;
    float value;
};

enum class RrefFraming : std::uint8_t { ok, oversized, wrongMagic, tooShort, oddLength };

// A checked answer: on ok, pairCount() whole pairs follow the header.
struct RrefFrame {
    RrefFraming framing;
    std::span<const std::uint8_t> pairs;

    std::size_t pairCount() const { return pairs.size() / rrefPairSize; }
    RrefPair pair(std::size_t i) const;
};

RrefFrame readRrefFrame(std::span<const std::uint8_t> datagram);

// The request back from its bytes, as a simulator reads it (the fake X-Plane
// and the tests): empty unless it is exactly a well-formed request.
struct RrefRequestFields {
    std::int32_t frequency;
    std::int32_t index;
    std::string_view path; // views the request's bytes
};
std::optional<RrefRequestFields> decodeRrefRequest(std::span<const std::uint8_t> datagram);

// An answer carrying the given pairs, as X-Plane sends it (for the fake
// simulator and the tests).
std::vector<std::uint8_t> encodeRrefAnswer(std::span<const RrefPair> pairs);

std::uint32_t readLittleEndian32(const std::uint8_t* bytes);
void writeLittleEndian32(std::uint8_t* bytes, std::uint32_t value);
