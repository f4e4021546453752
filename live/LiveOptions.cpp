#include "live/LiveOptions.h"

#include "live/FlightGearLink.h"
#include "live/XPlaneLink.h"

#include <QFile>
#include <QFileInfo>
#include <QHostInfo>

namespace {

template <typename T>
std::optional<T> failed(QString* error, const QString& why) {
    if (error)
        *error = why;
    return std::nullopt;
}

std::optional<QHostAddress> lookUp(const QString& host, QString* error) {
    if (QHostAddress literal; literal.setAddress(host))
        return literal;
    const QHostInfo info = QHostInfo::fromName(host);
    if (info.addresses().isEmpty())
        return failed<QHostAddress>(error, QStringLiteral("cannot find the host '%1'").arg(host));
    for (const QHostAddress& address : info.addresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address;
    return info.addresses().first();
}

} // namespace

std::optional<quint16> parsePort(const QString& text, QString* error) {
    bool ok = false;
    const uint port = text.toUInt(&ok, 10);
    if (!ok || port == 0 || port > 65535)
        return failed<quint16>(error,
                               QStringLiteral("'%1' is not a port number (1 to 65535)").arg(text));
    return quint16(port);
}

std::optional<Endpoint> parseSimulatorAddress(const QString& text, quint16 defaultPort,
                                              QString* error) {
    QString host = text;
    QString port;
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        if (close < 0)
            return failed<Endpoint>(error, QStringLiteral("'%1' lacks the closing ']'").arg(text));
        host = text.mid(1, close - 1);
        const QString rest = text.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(':'))
            return failed<Endpoint>(error, QStringLiteral("'%1' is not HOST[:PORT]").arg(text));
        port = rest.mid(1);
        if (rest.startsWith(':') && port.isEmpty())
            return failed<Endpoint>(error, QStringLiteral("'%1' has an empty port").arg(text));
    } else if (text.count(':') == 1) {
        host = text.section(':', 0, 0);
        port = text.section(':', 1);
        if (port.isEmpty())
            return failed<Endpoint>(error, QStringLiteral("'%1' has an empty port").arg(text));
    }
    if (host.isEmpty())
        return failed<Endpoint>(error, QStringLiteral("'%1' names no host").arg(text));
    Endpoint endpoint{{}, defaultPort};
    if (!port.isEmpty()) {
        const auto number = parsePort(port, error);
        if (!number)
            return std::nullopt;
        endpoint.port = *number;
    }
    const auto address = lookUp(host, error);
    if (!address)
        return std::nullopt;
    endpoint.address = *address;
    return endpoint;
}

std::optional<QHostAddress> parseListenAddress(const QString& text, QString* error) {
    QHostAddress address;
    if (!address.setAddress(text))
        return failed<QHostAddress>(error, QStringLiteral("'%1' is not an IP address").arg(text));
    return address;
}

MapFileResult loadXPlaneMapFile(const QString& path) {
    // A pipe or a device would hold the start or never end.
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return {{}, QStringLiteral("%1: not a regular file").arg(path).toStdString()};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString()};
    const QByteArray text = file.read(qint64(maxMapFileSize) + 1);
    MapFileResult result =
        parseXPlaneMap(std::string_view(text.constData(), std::size_t(text.size())));
    if (!result.ok())
        result.error = path.toStdString() + ": " + result.error;
    return result;
}

std::unique_ptr<LiveLink> openLiveLink(const LiveOptionTexts& options, QString* error,
                                       LiveClock clock) {
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return std::unique_ptr<LiveLink>();
    };
    if (!options.xplane.isEmpty() && !options.flightgear.isEmpty())
        return fail(QStringLiteral("--xplane and --flightgear exclude each other"));
    if (!options.xplaneMap.isEmpty() && options.xplane.isEmpty())
        return fail(QStringLiteral("--xplane-map needs --xplane"));
    if (options.xplane.isEmpty() && options.flightgear.isEmpty())
        return options.listen.isEmpty()
                   ? nullptr
                   : fail(QStringLiteral("--listen needs --xplane or --flightgear"));

    QHostAddress listen(QHostAddress::LocalHost);
    if (!options.listen.isEmpty()) {
        const auto address = parseListenAddress(options.listen, error);
        if (!address)
            return nullptr;
        listen = *address;
    }
    std::unique_ptr<LiveLink> link;
    if (!options.xplane.isEmpty()) {
        XPlaneLinkOptions xplane;
        const auto simulator = parseSimulatorAddress(options.xplane, xplaneDefaultPort, error);
        if (!simulator)
            return nullptr;
        // An IPv4 socket cannot send to an IPv6 address, nor the other way.
        const bool ipv6 = simulator->address.protocol() == QAbstractSocket::IPv6Protocol;
        if (options.listen.isEmpty() && ipv6)
            listen = QHostAddress(QHostAddress::LocalHostIPv6);
        if (listen.protocol() != simulator->address.protocol())
            return fail(QStringLiteral("X-Plane at %1 cannot answer %2: give --listen an %3 "
                                       "address of this machine")
                            .arg(simulator->text(), listen.toString(),
                                 ipv6 ? QStringLiteral("IPv6") : QStringLiteral("IPv4")));
        // A loopback socket can neither reach nor be answered by another machine.
        if (!simulator->address.isLoopback() && listen.isLoopback())
            return fail(QStringLiteral("X-Plane at %1 cannot answer the loopback address: "
                                       "give --listen an address of this machine it can reach")
                            .arg(simulator->text()));
        xplane.simulator = *simulator;
        xplane.listen = listen;
        xplane.clock = std::move(clock);
        if (!options.xplaneMap.isEmpty()) {
            MapFileResult map = loadXPlaneMapFile(options.xplaneMap);
            if (!map.ok())
                return fail(QString::fromStdString(map.error));
            if (map.map.empty())
                return fail(options.xplaneMap + QStringLiteral(": maps every quantity to none"));
            xplane.map = std::move(map.map);
        }
        link = std::make_unique<XPlaneLink>(std::move(xplane));
    } else {
        const auto port = parsePort(options.flightgear, error);
        if (!port)
            return nullptr;
        link = std::make_unique<FlightGearLink>(
            FlightGearLinkOptions{*port, listen, std::move(clock)});
    }
    if (!link->isOpen())
        return fail(QStringLiteral("cannot listen for %1: %2")
                        .arg(link->sourceText(), link->errorString()));
    return link;
}
