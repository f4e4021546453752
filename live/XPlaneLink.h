#pragma once

#include "live/LiveLink.h"
#include "live/RrefCodec.h"
#include "live/XPlaneReader.h"

#include <vector>

inline constexpr quint16 xplaneDefaultPort = 49000;
// Answers a second asked of X-Plane: more than a 65 ms frame needs.
inline constexpr std::int32_t xplaneAnswersPerSecond = 15;
// Silent this long after a subscription: X-Plane was restarted or the
// aircraft changed, both of which drop subscriptions; ask again.
inline constexpr double resubscribeAfterSeconds = 2.0;

struct XPlaneLinkOptions {
    Endpoint simulator{QHostAddress(QHostAddress::LocalHost), xplaneDefaultPort};
    QHostAddress listen{QHostAddress::LocalHost};
    DatarefMap map = defaultDatarefMap();
    LiveClock clock = steadyLiveClock();
};

// Subscribes to every row of the dataref table with RREF from a socket on
// the listen address (any free port), takes answers only from the address
// and port subscribed to, subscribes again after two silent seconds and ends
// the subscriptions when closed.
class XPlaneLink final : public LiveLink {
public:
    explicit XPlaneLink(XPlaneLinkOptions options);
    ~XPlaneLink() override;

    // Sends frequency 0 for every row; the destructor does it too.
    void close();

    QString sourceText() const override;
    const DatarefMap& map() const { return reader_.map(); }
    int subscriptionsSent() const { return subscriptions_; }

private:
    bool acceptsSender(const QHostAddress& address, quint16 port) const override;
    bool read(std::span<const std::uint8_t> datagram, EngineSample& latest,
              LiveCounters& counters) override;
    void afterDrain(double now) override;
    void send(const std::vector<RrefRequest>& requests);

    Endpoint simulator_;
    XPlaneReader reader_;
    std::vector<RrefRequest> subscribe_;
    std::vector<RrefRequest> unsubscribe_;
    double lastSubscription_ = 0;
    int subscriptions_ = 0;
    bool closed_ = false;
};
