#include "live/LiveLink.h"

#include <QVariant>

#include <chrono>

LiveClock steadyLiveClock() {
    return [] {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    };
}

QString Endpoint::text() const {
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

LiveLink::LiveLink(LiveClock clock, std::size_t maxDatagram)
    : clock_(std::move(clock)), feed_(clock_()), buffer_(maxDatagram + 1) {}

bool LiveLink::bind(const QHostAddress& address, quint16 port) {
    // Not shared: no other program may bind the same port and read our packets.
    open_ = socket_.bind(address, port, QAbstractSocket::DontShareAddress);
    if (!open_) {
        error_ = socket_.errorString();
        return false;
    }
    socket_.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
                            QVariant(receiveBufferBytes));
    return true;
}

Endpoint LiveLink::local() const {
    return {socket_.localAddress(), socket_.localPort()};
}

void LiveLink::poll() {
    const double time = clock_();
    feed_.beginPoll(time);
    QHostAddress from; // one for the whole drain: a new one costs an allocation
    quint16 port = 0;
    for (int i = 0; open_ && i < maxDatagramsPerPoll && socket_.hasPendingDatagrams(); ++i) {
        const qint64 size =
            socket_.readDatagram(buffer_.data(), qint64(buffer_.size()), &from, &port);
        if (size < 0)
            break;
        if (!acceptsSender(from, port)) {
            counters_.count(Ignored::wrongSender);
            continue;
        }
        if (std::size_t(size) == buffer_.size()) {
            counters_.count(Ignored::oversized);
            continue;
        }
        const auto bytes =
            std::span(reinterpret_cast<const std::uint8_t*>(buffer_.data()), std::size_t(size));
        if (read(bytes, feed_.latest(), counters_))
            feed_.validPacketAt(time);
    }
    if (open_)
        afterDrain(time);
    sample_ = feed_.sample(time);
    stale_ = feed_.stale(time);
}
