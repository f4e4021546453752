#include "engine/Quantities.h"
#include "live/LiveLink.h"
#include "live/LiveOptions.h"
#include "live/XPlaneDatarefs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <QTest>

class LiveOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void simulatorAddress_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("endpoint"); // empty: refused
        QTest::newRow("address alone: port 49000") << "127.0.0.1"
                                                   << "127.0.0.1:49000";
        QTest::newRow("address and port") << "127.0.0.1:49001"
                                          << "127.0.0.1:49001";
        QTest::newRow("another machine") << "192.168.1.20"
                                         << "192.168.1.20:49000";
        QTest::newRow("IPv6 in brackets") << "[::1]:49002"
                                          << "[::1]:49002";
        QTest::newRow("IPv6 in brackets, no port") << "[::1]"
                                                   << "[::1]:49000";
        QTest::newRow("empty port") << "127.0.0.1:"
                                    << "";
        QTest::newRow("no host") << ":49000"
                                 << "";
        QTest::newRow("port 0") << "127.0.0.1:0"
                                << "";
        QTest::newRow("port past 65535") << "127.0.0.1:65536"
                                         << "";
        QTest::newRow("port with letters") << "127.0.0.1:49k"
                                           << "";
        QTest::newRow("unclosed bracket") << "[::1:49000"
                                          << "";
        QTest::newRow("bracket then junk") << "[::1]x"
                                           << "";
    }

    void simulatorAddress() {
        QFETCH(QString, text);
        QFETCH(QString, endpoint);
        QString error;
        const auto parsed = parseSimulatorAddress(text, 49000, &error);
        QCOMPARE(parsed ? parsed->text() : QString(), endpoint);
        QCOMPARE(error.isEmpty(), bool(parsed));
    }

    void localhostIsLoopback() {
        const auto parsed = parseSimulatorAddress("localhost:5", 49000, nullptr);
        QVERIFY(parsed);
        QVERIFY(parsed->address.isLoopback());
        QCOMPARE(parsed->port, quint16(5));
    }

    void listenAddress_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("loopback") << "127.0.0.1" << true;
        QTest::newRow("every interface") << "0.0.0.0" << true;
        QTest::newRow("IPv6 loopback") << "::1" << true;
        QTest::newRow("a name is not an address") << "localhost" << false;
        QTest::newRow("empty") << "" << false;
    }

    void listenAddress() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QString error;
        QCOMPARE(bool(parseListenAddress(text, &error)), accepted);
        QCOMPARE(error.isEmpty(), accepted);
    }

    void openLink_data() {
        QTest::addColumn<QString>("xplane");
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("flightgear");
        QTest::addColumn<QString>("listen");
        QTest::addColumn<QString>("opened"); // the link's source text
        QTest::addColumn<QString>("error");
        QUdpSocket probe; // a port free a moment ago
        probe.bind(QHostAddress::LocalHost, 0);
        const QString port = QString::number(probe.localPort());
        probe.close();
        QTest::newRow("no options: the model as always") << ""
                                                         << ""
                                                         << ""
                                                         << ""
                                                         << ""
                                                         << "";
        QTest::newRow("X-Plane on this machine") << "127.0.0.1:1"
                                                 << ""
                                                 << ""
                                                 << ""
                                                 << "X-Plane at 127.0.0.1:1"
                                                 << "";
        QTest::newRow("FlightGear") << ""
                                    << "" << port << ""
                                    << "FlightGear on UDP 127.0.0.1:" + port << "";
        QTest::newRow("both simulators") << "127.0.0.1"
                                         << "" << port << ""
                                         << ""
                                         << "--xplane and --flightgear exclude each other";
        QTest::newRow("a map without X-Plane") << ""
                                               << "x.map" << port << ""
                                               << ""
                                               << "--xplane-map needs --xplane";
        QTest::newRow("listen without a simulator") << ""
                                                    << ""
                                                    << ""
                                                    << "0.0.0.0"
                                                    << ""
                                                    << "--listen needs --xplane or --flightgear";
        QTest::newRow("remote X-Plane, loopback socket")
            << "192.168.1.20"
            << ""
            << ""
            << ""
            << ""
            << "X-Plane at 192.168.1.20:49000 cannot answer the loopback address: give --listen an "
               "address of "
               "this machine it can reach";
        QTest::newRow("X-Plane on this machine, IPv6") << "[::1]:1"
                                                       << ""
                                                       << ""
                                                       << ""
                                                       << "X-Plane at [::1]:1"
                                                       << "";
        QTest::newRow("IPv6 X-Plane, IPv4 socket")
            << "[::1]:1"
            << ""
            << ""
            << "127.0.0.1"
            << ""
            << "X-Plane at [::1]:1 cannot answer 127.0.0.1: give --listen an IPv6 address of this "
               "machine";
        QTest::newRow("IPv4 X-Plane, IPv6 socket")
            << "127.0.0.1:1"
            << ""
            << ""
            << "::1"
            << ""
            << "X-Plane at 127.0.0.1:1 cannot answer ::1: give --listen an IPv4 address of this "
               "machine";
        QTest::newRow("bad port") << ""
                                  << ""
                                  << "fifty"
                                  << ""
                                  << ""
                                  << "'fifty' is not a port number (1 to 65535)";
        QTest::newRow("bad listen address") << ""
                                            << "" << port << "here"
                                            << ""
                                            << "'here' is not an IP address";
        QTest::newRow("missing map file") << "127.0.0.1"
                                          << "/nonexistent/x.map"
                                          << ""
                                          << ""
                                          << ""
                                          << "/nonexistent/x.map: No such file or directory";
        QTest::newRow("a device for a map file") << "127.0.0.1"
                                                 << "/dev/zero"
                                                 << ""
                                                 << ""
                                                 << ""
                                                 << "/dev/zero: not a regular file";
        QTest::newRow("a folder for a map file") << "127.0.0.1"
                                                 << "/tmp"
                                                 << ""
                                                 << ""
                                                 << ""
                                                 << "/tmp: not a regular file";
    }

    void openLink() {
        QFETCH(QString, xplane);
        QFETCH(QString, map);
        QFETCH(QString, flightgear);
        QFETCH(QString, listen);
        QFETCH(QString, opened);
        QFETCH(QString, error);
        QString why;
        const auto link = openLiveLink({xplane, map, flightgear, listen}, &why);
        QCOMPARE(why, error);
        QCOMPARE(link ? link->sourceText() : QString(), opened);
        if (link)
            QVERIFY(link->local().address.isLoopback());
        if (link && xplane.startsWith('[')) // it must be able to send to the simulator
            QCOMPARE(link->local().address, QHostAddress(QHostAddress::LocalHostIPv6));
    }

    void portInUseIsAnError() {
        QUdpSocket holder;
        QVERIFY(holder.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress));
        QString why;
        QVERIFY(!openLiveLink({"", "", QString::number(holder.localPort()), ""}, &why));
        QVERIFY2(why.startsWith("cannot listen for FlightGear on UDP 127.0.0.1:"), qPrintable(why));
    }

    // A map that leaves nothing to subscribe would wait for ever.
    void emptyMapIsAnError() {
        QTemporaryDir dir;
        const QString path = dir.filePath("empty.map");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const DatarefRow& row : xplaneDefaultDatarefs)
            file.write(QByteArray(quantityRow(row.quantity).name.data(),
                                  qsizetype(quantityRow(row.quantity).name.size())) +
                       " = none\n");
        file.close();
        QString why;
        QVERIFY(!openLiveLink({"127.0.0.1:1", path, "", ""}, &why));
        QCOMPARE(why, path + ": maps every quantity to none");
    }
};

QTEST_GUILESS_MAIN(LiveOptionsTest)
#include "tst_live_options.moc"
