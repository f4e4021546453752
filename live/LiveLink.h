#pragma once

#include "engine/EngineSample.h"
#include "live/LiveCounters.h"
#include "live/LiveFeed.h"

#include <QHostAddress>
#include <QString>
#include <QUdpSocket>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// Seconds on a monotonic clock. The links read time only through one of
// these, so tests can hold time still or jump it.
using LiveClock = std::function<double()>;
LiveClock steadyLiveClock();

struct Endpoint {
    QHostAddress address;
    quint16 port = 0;

    QString text() const; // "127.0.0.1:49000", "[::1]:49000"
};

// A simulator on a UDP socket, read once per frame tick: poll() takes what
// arrived since the last tick, at most maxDatagramsPerPoll datagrams, so a
// flood can never hold up a frame; the kernel drops what does not fit the
// bounded receive buffer. After poll(), sample() has the values to show
// (none at all while stale) and stale() says whether the simulator is silent.
class LiveLink {
public:
    static constexpr int maxDatagramsPerPoll = 256;
    static constexpr int receiveBufferBytes = 64 * 1024;

    virtual ~LiveLink() = default;
    LiveLink(const LiveLink&) = delete;
    LiveLink& operator=(const LiveLink&) = delete;

    // False when the socket could not be bound; errorString() says why.
    bool isOpen() const { return open_; }
    QString errorString() const { return error_; }
    Endpoint local() const;

    void poll();

    const EngineSample& sample() const { return sample_; }
    bool stale() const { return stale_; }
    const LiveCounters& counters() const { return counters_; }

    // "X-Plane at 127.0.0.1:49000": for the caption while values come in.
    virtual QString sourceText() const = 0;
    // "Waiting for X-Plane at 127.0.0.1:49000": for the caption while stale.
    QString awaitedText() const { return QStringLiteral("Waiting for ") + sourceText(); }

protected:
    LiveLink(LiveClock clock, std::size_t maxDatagram);
    bool bind(const QHostAddress& address, quint16 port);

    virtual bool acceptsSender(const QHostAddress& address, quint16 port) const = 0;
    // True when the datagram shows the simulator is talking.
    virtual bool read(std::span<const std::uint8_t> datagram, EngineSample& latest,
                      LiveCounters& counters) = 0;
    virtual void afterDrain(double /*now*/) {}

    double now() const { return clock_(); }
    const LiveFeed& feed() const { return feed_; }
    QUdpSocket& socket() { return socket_; }

private:
    LiveClock clock_;
    LiveFeed feed_;
    QUdpSocket socket_;
    std::vector<char> buffer_; // one datagram, one byte longer than any we take
    bool open_ = false;
    QString error_;
    LiveCounters counters_;
    EngineSample sample_;
    bool stale_ = true;
};
