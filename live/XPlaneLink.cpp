#include "live/XPlaneLink.h"

#include <algorithm>

XPlaneLink::XPlaneLink(XPlaneLinkOptions options)
    : LiveLink(std::move(options.clock), rrefMaxAnswerSize), simulator_(options.simulator),
      reader_(std::move(options.map)) {
    for (std::size_t i = 0; i < reader_.map().size(); ++i) {
        const std::string& path = reader_.map()[i].path;
        // The map parser and the default table keep paths within the field.
        if (const auto request = encodeRrefRequest(xplaneAnswersPerSecond, std::int32_t(i), path))
            subscribe_.push_back(*request);
        if (const auto request = encodeRrefRequest(0, std::int32_t(i), path))
            unsubscribe_.push_back(*request);
    }
    bind(options.listen, 0);
}

XPlaneLink::~XPlaneLink() {
    close();
}

void XPlaneLink::close() {
    if (closed_ || !isOpen())
        return;
    closed_ = true;
    if (subscriptions_ > 0)
        send(unsubscribe_);
}

QString XPlaneLink::sourceText() const {
    return QStringLiteral("X-Plane at ") + simulator_.text();
}

bool XPlaneLink::acceptsSender(const QHostAddress& address, quint16 port) const {
    return port == simulator_.port &&
           address.isEqual(simulator_.address, QHostAddress::TolerantConversion);
}

bool XPlaneLink::read(std::span<const std::uint8_t> datagram, EngineSample& latest,
                      LiveCounters& counters) {
    return reader_.read(datagram, latest, counters);
}

void XPlaneLink::afterDrain(double now) {
    if (closed_)
        return;
    const double lastHeard =
        feed().heard() ? std::max(lastSubscription_, feed().lastValid()) : lastSubscription_;
    if (subscriptions_ == 0 || now - lastHeard >= resubscribeAfterSeconds) {
        send(subscribe_);
        lastSubscription_ = now;
        ++subscriptions_;
    }
}

void XPlaneLink::send(const std::vector<RrefRequest>& requests) {
    for (const RrefRequest& request : requests)
        socket().writeDatagram(reinterpret_cast<const char*>(request.data()),
                               qint64(request.size()), simulator_.address, simulator_.port);
}
