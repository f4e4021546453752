#pragma once

#include "live/LiveLink.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

// A stand-in for FlightGear sending our generic protocol to a port: lines of
// the fake engine's values in the protocol file's order, or any bytes a test
// hands it. start() sends ten lines a second, as FlightGear does with
// "--generic=socket,out,10,...".
class FakeFlightGear : public QObject {
    Q_OBJECT

public:
    explicit FakeFlightGear(Endpoint target);

    // The line FlightGear would send at that moment, newline included.
    static QByteArray engineLine(double seconds);

    void sendRaw(const QByteArray& datagram);
    void sendEngine(double seconds) { sendRaw(engineLine(seconds)); }
    Endpoint local() const { return {socket_.localAddress(), socket_.localPort()}; }

    void start();
    void setSilent(bool silent) { silent_ = silent; }
    bool silent() const { return silent_; }

private:
    void tick();

    Endpoint target_;
    QUdpSocket socket_;
    QTimer timer_;
    QElapsedTimer elapsed_;
    bool silent_ = false;
};
