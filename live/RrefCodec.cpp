#include "live/RrefCodec.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::array<std::uint8_t, 4> rrefMagic{'R', 'R', 'E', 'F'};

} // namespace

std::uint32_t readLittleEndian32(const std::uint8_t* bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

void writeLittleEndian32(std::uint8_t* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = std::uint8_t(value >> (8 * i));
}

std::optional<RrefRequest> encodeRrefRequest(std::int32_t frequency, std::int32_t index,
                                             std::string_view path) {
    if (path.size() >= rrefPathFieldSize || path.find('\0') != std::string_view::npos)
        return std::nullopt;
    RrefRequest request{};
    std::copy(rrefMagic.begin(), rrefMagic.end(), request.begin());
    writeLittleEndian32(&request[5], std::uint32_t(frequency));
    writeLittleEndian32(&request[9], std::uint32_t(index));
    std::copy(path.begin(), path.end(), request.begin() + 13);
    return request;
}

std::optional<RrefRequestFields> decodeRrefRequest(std::span<const std::uint8_t> datagram) {
    if (datagram.size() != rrefRequestSize ||
        !std::equal(rrefMagic.begin(), rrefMagic.end(), datagram.begin()) || datagram[4] != 0)
        return std::nullopt;
    const auto field = datagram.subspan(13);
    const auto end = std::find(field.begin(), field.end(), std::uint8_t(0));
    if (end == field.end())
        return std::nullopt;
    return RrefRequestFields{
        .frequency = std::int32_t(readLittleEndian32(&datagram[5])),
        .index = std::int32_t(readLittleEndian32(&datagram[9])),
        .path = std::string_view(reinterpret_cast<const char*>(field.data()),
                                 std::size_t(end - field.begin())),
    };
}

RrefFrame readRrefFrame(std::span<const std::uint8_t> datagram) {
    const auto framing = [&] {
        if (datagram.size() > rrefMaxAnswerSize)
            return RrefFraming::oversized;
        if (datagram.size() < rrefMagic.size() ||
            !std::equal(rrefMagic.begin(), rrefMagic.end(), datagram.begin()))
            return RrefFraming::wrongMagic;
        if (datagram.size() < rrefHeaderSize + rrefPairSize)
            return RrefFraming::tooShort;
        if ((datagram.size() - rrefHeaderSize) % rrefPairSize != 0)
            return RrefFraming::oddLength;
        return RrefFraming::ok;
    }();
    if (framing != RrefFraming::ok)
        return {framing, {}};
    return {framing, datagram.subspan(rrefHeaderSize)};
}

RrefPair RrefFrame::pair(std::size_t i) const {
    const std::uint8_t* bytes = pairs.data() + i * rrefPairSize;
    return {std::int32_t(readLittleEndian32(bytes)),
            std::bit_cast<float>(readLittleEndian32(bytes + 4))};
}

std::vector<std::uint8_t> encodeRrefAnswer(std::span<const RrefPair> pairs) {
    std::vector<std::uint8_t> answer(rrefHeaderSize + pairs.size() * rrefPairSize);
    std::copy(rrefMagic.begin(), rrefMagic.end(), answer.begin());
    answer[4] = ',';
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        std::uint8_t* bytes = answer.data() + rrefHeaderSize + i * rrefPairSize;
        writeLittleEndian32(bytes, std::uint32_t(pairs[i].index));
        writeLittleEndian32(bytes + 4, std::bit_cast<std::uint32_t>(pairs[i].value));
    }
    return answer;
}
