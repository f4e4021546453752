#include "live/FlightGearLink.h"

FlightGearLink::FlightGearLink(FlightGearLinkOptions options)
    : LiveLink(std::move(options.clock), flightGearMaxLine), listening_{options.listen,
                                                                        options.port} {
    bind(options.listen, options.port);
}

QString FlightGearLink::sourceText() const {
    return QStringLiteral("FlightGear on UDP ") + (isOpen() ? local() : listening_).text();
}

bool FlightGearLink::read(std::span<const std::uint8_t> datagram, EngineSample& latest,
                          LiveCounters& counters) {
    return readFlightGearLine(datagram, latest, counters);
}
