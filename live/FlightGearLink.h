#pragma once

#include "live/FlightGearProtocol.h"
#include "live/LiveLink.h"

struct FlightGearLinkOptions {
    quint16 port = 0; // the PORT of FlightGear's --generic=socket,out,...,PORT,udp,zentor
    QHostAddress listen{QHostAddress::LocalHost};
    LiveClock clock = steadyLiveClock();
};

// Listens on the listen address and port for the lines FlightGear sends
// with our protocol file.
class FlightGearLink final : public LiveLink {
public:
    explicit FlightGearLink(FlightGearLinkOptions options);

    QString sourceText() const override;

private:
    bool acceptsSender(const QHostAddress&, quint16) const override { return true; }
    bool read(std::span<const std::uint8_t> datagram, EngineSample& latest,
              LiveCounters& counters) override;

    Endpoint listening_;
};
