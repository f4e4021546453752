#include "live/LiveOptions.h"

#include <QFile>
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
