#pragma once

#include "live/LiveLink.h"
#include "live/RrefCodec.h"
#include "live/XPlaneDatarefs.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

#include <map>
#include <string>
#include <vector>

// A stand-in for X-Plane on a UDP port: takes RREF requests as X-Plane does,
// keeps the subscriptions of the last client that subscribed, and answers
// them with the fake engine's values in each dataref's unit (the default
// table, or a mapping file's). Tests drive it by hand; start() lets it run
// on its own for the fake-sim tool.
class FakeXPlane : public QObject {
    Q_OBJECT

public:
    struct Request {
        QByteArray bytes;
        std::int32_t frequency = 0;
        std::int32_t index = 0;
        std::string path;
        Endpoint from;
    };

    explicit FakeXPlane(QHostAddress address = QHostAddress(QHostAddress::LocalHost),
                        quint16 port = 0, DatarefMap known = defaultDatarefMap());

    bool isOpen() const { return open_; }
    Endpoint endpoint() const { return {socket_.localAddress(), socket_.localPort()}; }

    // Takes every request waiting on the socket; malformed ones are dropped.
    void receive();
    const std::vector<Request>& requests() const { return requests_; }
    void clearRequests() { requests_.clear(); }
    // index -> path of the subscriptions with a frequency above 0.
    const std::map<std::int32_t, std::string>& subscriptions() const { return subscriptions_; }
    bool hasClient() const { return client_.port != 0; }

    // One datagram to the client, exactly as given.
    void sendRaw(const QByteArray& datagram);
    // One answer with every subscription the fake engine knows, at that moment.
    void sendEngine(double seconds);

    // Runs by itself: receives and answers at 15 Hz; while silent it still
    // takes requests but answers nothing, like a simulator that went away.
    void start();
    void setSilent(bool silent) { silent_ = silent; }
    bool silent() const { return silent_; }

private:
    void tick();

    QUdpSocket socket_;
    bool open_ = false;
    DatarefMap known_;
    std::vector<Request> requests_;
    std::map<std::int32_t, std::string> subscriptions_;
    Endpoint client_;
    QTimer timer_;
    QElapsedTimer elapsed_;
    bool silent_ = false;
};
