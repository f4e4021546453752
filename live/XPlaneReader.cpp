#include "live/XPlaneReader.h"

#include "live/LiveValue.h"
#include "live/RrefCodec.h"

namespace {

Ignored ignoredFraming(RrefFraming framing) {
    switch (framing) {
    case RrefFraming::oversized:
        return Ignored::oversized;
    case RrefFraming::wrongMagic:
        return Ignored::wrongMagic;
    case RrefFraming::tooShort:
        return Ignored::tooShort;
    case RrefFraming::oddLength:
    case RrefFraming::ok:
        break;
    }
    return Ignored::oddLength;
}

} // namespace

bool XPlaneReader::read(std::span<const std::uint8_t> datagram, EngineSample& latest,
                        LiveCounters& counters) const {
    const RrefFrame frame = readRrefFrame(datagram);
    if (frame.framing != RrefFraming::ok) {
        counters.count(ignoredFraming(frame.framing));
        return false;
    }
    bool answered = false;
    for (std::size_t i = 0; i < frame.pairCount(); ++i) {
        const RrefPair pair = frame.pair(i);
        if (pair.index < 0 || std::size_t(pair.index) >= map_.size()) {
            counters.count(Ignored::unknownIndex);
            continue;
        }
        answered = true;
        const DatarefBinding& row = map_[std::size_t(pair.index)];
        if (pair.value == rrefUnusedValue) {
            counters.count(Ignored::unusedValue);
            latest.clear(row.quantity);
        } else {
            takeValue(latest, counters, row.quantity, row.unit, pair.value);
        }
    }
    if (answered)
        ++counters.validPackets;
    return answered;
}
