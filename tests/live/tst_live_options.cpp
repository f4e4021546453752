#include "live/LiveOptions.h"

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
};

QTEST_GUILESS_MAIN(LiveOptionsTest)
#include "tst_live_options.moc"
