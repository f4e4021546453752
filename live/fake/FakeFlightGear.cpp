#include "live/fake/FakeFlightGear.h"

#include "live/FlightGearProtocol.h"
#include "live/fake/FakeEngine.h"

FakeFlightGear::FakeFlightGear(Endpoint target) : target_(std::move(target)) {
    connect(&timer_, &QTimer::timeout, this, &FakeFlightGear::tick);
}

QByteArray FakeFlightGear::engineLine(double seconds) {
    QByteArray line;
    for (const PropertyRow& row : flightGearProperties) {
        if (!line.isEmpty())
            line += flightGearSeparator;
        line += QByteArray::number(
            toScreen(row.quantity, row.unit).inverse(fakeEngineValue(row.quantity, seconds)), 'f',
            6);
    }
    return line + flightGearLineEnd;
}

void FakeFlightGear::sendRaw(const QByteArray& datagram) {
    socket_.writeDatagram(datagram, target_.address, target_.port);
}

void FakeFlightGear::start() {
    elapsed_.start();
    timer_.start(100);
}

void FakeFlightGear::tick() {
    if (!silent_)
        sendEngine(double(elapsed_.elapsed()) / 1000.0);
}
