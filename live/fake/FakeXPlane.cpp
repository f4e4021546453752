#include "live/fake/FakeXPlane.h"

#include "live/fake/FakeEngine.h"

#include <QNetworkDatagram>

#include <algorithm>

FakeXPlane::FakeXPlane(QHostAddress address, quint16 port, DatarefMap known)
    : known_(std::move(known)) {
    open_ = socket_.bind(address, port, QAbstractSocket::DontShareAddress);
    connect(&timer_, &QTimer::timeout, this, &FakeXPlane::tick);
}

void FakeXPlane::receive() {
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_.receiveDatagram(4096);
        const QByteArray bytes = datagram.data();
        const auto fields = decodeRrefRequest(std::span(
            reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
        if (!fields)
            continue;
        const Endpoint from{datagram.senderAddress(), quint16(datagram.senderPort())};
        requests_.push_back(
            {bytes, fields->frequency, fields->index, std::string(fields->path), from});
        if (from.address != client_.address || from.port != client_.port) {
            subscriptions_.clear();
            client_ = from;
        }
        if (fields->frequency > 0)
            subscriptions_[fields->index] = std::string(fields->path);
        else
            subscriptions_.erase(fields->index);
    }
}

void FakeXPlane::sendRaw(const QByteArray& datagram) {
    if (hasClient())
        socket_.writeDatagram(datagram, client_.address, client_.port);
}

void FakeXPlane::sendEngine(double seconds) {
    std::vector<RrefPair> pairs;
    for (const auto& [index, path] : subscriptions_) {
        const auto row = std::find_if(known_.begin(), known_.end(),
                                      [&](const DatarefBinding& b) { return b.path == path; });
        if (row != known_.end())
            pairs.push_back({index, float(toScreen(row->quantity, row->unit)
                                              .inverse(fakeEngineValue(row->quantity, seconds)))});
    }
    if (pairs.empty())
        return;
    const std::vector<std::uint8_t> answer = encodeRrefAnswer(pairs);
    sendRaw(QByteArray(reinterpret_cast<const char*>(answer.data()), qsizetype(answer.size())));
}

void FakeXPlane::start() {
    elapsed_.start();
    timer_.start(1000 / 15);
}

void FakeXPlane::tick() {
    receive();
    if (!silent_)
        sendEngine(double(elapsed_.elapsed()) / 1000.0);
}
