#include "LiveTestSupport.h"

#include "live/FlightGearLink.h"
#include "live/fake/FakeFlightGear.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>

class FlightGearLinkTest : public QObject {
    Q_OBJECT

    double now = 50;
    std::unique_ptr<FlightGearLink> link;
    std::unique_ptr<FakeFlightGear> sim;

    std::uint64_t seen() const {
        std::uint64_t total = link->counters().validPackets;
        for (const std::uint64_t n : link->counters().ignored)
            total += n;
        return total;
    }

    // Sends one packet and polls until the link has taken it.
    bool deliver(const QByteArray& datagram) {
        const std::uint64_t before = seen();
        sim->sendRaw(datagram);
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 2000) {
            link->poll();
            if (seen() > before)
                return true;
            QTest::qWait(2);
        }
        return false;
    }

private slots:
    void init() {
        now = 50;
        FlightGearLinkOptions options;
        options.clock = [this] { return now; };
        link = std::make_unique<FlightGearLink>(options);
        QVERIFY2(link->isOpen(), qPrintable(link->errorString()));
        sim = std::make_unique<FakeFlightGear>(link->local());
    }

    void cleanup() {
        sim.reset();
        link.reset();
    }

    void listensOnLoopback() {
        QCOMPARE(link->local().address, QHostAddress(QHostAddress::LocalHost));
        QVERIFY(link->stale());
        QCOMPARE(link->awaitedText(), "Waiting for FlightGear on UDP " + link->local().text());
    }

    // Good lines bring the gauges; broken ones are counted and change
    // nothing, and never count as the simulator talking.
    void lines_data() {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<bool>("live");
        QTest::addColumn<QString>("ignored");
        QTest::newRow("the fake engine") << FakeFlightGear::engineLine(0) << true << "";
        QTest::newRow("too few fields") << QByteArray("2400,25\n") << false << "too few fields=1";
        QTest::newRow("too many fields") << QByteArray(40, ',') + '\n'
                                         << false << "too many fields=1";
        QTest::newRow("garbage") << QByteArray("\x01\x02\x03\xfe", 4) << false << "bad field=1";
        QTest::newRow("2 KiB") << QByteArray(2048, '1') << false << "oversized=1";
    }

    void lines() {
        QFETCH(QByteArray, first);
        QFETCH(bool, live);
        QFETCH(QString, ignored);
        QVERIFY(deliver(first));
        QCOMPARE(link->stale(), !live);
        QCOMPARE(int(link->sample().present.count()), live ? int(flightGearPropertyCount) : 0);
        QCOMPARE(countersMismatch(link->counters(), ignored), QString());
    }

    void absurdValueIsNoData() {
        QByteArray line = FakeFlightGear::engineLine(0);
        line.replace(0, line.indexOf(','), "-300");
        QVERIFY(deliver(line));
        QVERIFY(!link->stale());
        QVERIFY(!link->sample().has(Quantity::rpm));
        QVERIFY(link->sample().has(Quantity::manifoldPressure));
        QCOMPARE(countersMismatch(link->counters(), "absurd value=1"), QString());
    }

    // Two silent seconds: no values at all; the next line brings them back.
    void silenceGoesStale() {
        QVERIFY(deliver(FakeFlightGear::engineLine(0)));
        QVERIFY(!link->stale());
        now = 51.99;
        link->poll();
        QVERIFY(!link->stale());
        QVERIFY(deliver("garbage\n")); // broken lines do not keep it alive
        now = 52.0;
        link->poll();
        QVERIFY(link->stale());
        QCOMPARE(sampleMismatch(link->sample(), ""), QString());
        now = 60;
        QVERIFY(deliver(FakeFlightGear::engineLine(10)));
        QVERIFY(!link->stale());
        QCOMPARE(int(link->sample().present.count()), int(flightGearPropertyCount));
        QCOMPARE(link->sample().time, 10.0);
    }

    // A port another program holds is refused, not shared.
    void takenPortIsAnError() {
        FlightGearLinkOptions options;
        options.port = link->local().port;
        const FlightGearLink second(options);
        QVERIFY(!second.isOpen());
        QVERIFY(!second.errorString().isEmpty());
    }
};

QTEST_GUILESS_MAIN(FlightGearLinkTest)
#include "tst_flightgear_link.moc"
