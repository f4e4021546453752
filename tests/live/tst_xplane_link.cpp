#include "LiveTestSupport.h"

#include "live/XPlaneLink.h"
#include "live/fake/FakeXPlane.h"

#include <QElapsedTimer>
#include <QUdpSocket>

#include <functional>
#include <memory>

namespace {

// Loopback delivers at once, but the test never relies on it: it polls
// until the condition holds, for at most two seconds of real time. The
// link's own clock stands still meanwhile.
bool pollUntil(const std::function<void()>& poll, const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 2000) {
        poll();
        if (done())
            return true;
        QTest::qWait(2);
    }
    return false;
}

} // namespace

class XPlaneLinkTest : public QObject {
    Q_OBJECT

    double now = 100;
    std::unique_ptr<FakeXPlane> sim;
    std::unique_ptr<XPlaneLink> link;

    XPlaneLinkOptions options() {
        XPlaneLinkOptions o;
        o.simulator = sim->endpoint();
        o.clock = [this] { return now; };
        return o;
    }

    // The first poll subscribes; waits until the fake has every request.
    bool subscribed() {
        link->poll();
        return pollUntil([&] { sim->receive(); },
                         [&] { return sim->subscriptions().size() == xplaneDefaultDatarefCount; });
    }

    bool answer(const QByteArray& datagram) {
        const std::uint64_t before = link->counters().validPackets + ignoredTotal();
        sim->sendRaw(datagram);
        return pollUntil([&] { link->poll(); },
                         [&] { return link->counters().validPackets + ignoredTotal() > before; });
    }

    std::uint64_t ignoredTotal() const {
        std::uint64_t total = 0;
        for (const std::uint64_t n : link->counters().ignored)
            total += n;
        return total;
    }

private slots:
    void init() {
        now = 100;
        sim = std::make_unique<FakeXPlane>();
        QVERIFY(sim->isOpen());
        link = std::make_unique<XPlaneLink>(options());
        QVERIFY2(link->isOpen(), qPrintable(link->errorString()));
    }

    void cleanup() {
        link.reset();
        sim.reset();
    }

    // One 413-byte request per table row, from the link's own socket on
    // the loopback address, 15 answers a second.
    void subscribesToEveryRow() {
        QVERIFY(link->local().address.isLoopback());
        QVERIFY(subscribed());
        QCOMPARE(int(sim->requests().size()), int(xplaneDefaultDatarefCount));
        for (std::size_t i = 0; i < sim->requests().size(); ++i) {
            const FakeXPlane::Request& r = sim->requests()[i];
            QCOMPARE(r.bytes.size(), 413);
            QCOMPARE(r.bytes.left(5), QByteArray("RREF\0", 5));
            QCOMPARE(r.bytes.mid(5, 4), QByteArray("\x0f\0\0\0", 4));
            QCOMPARE(r.bytes.mid(9, 4), QByteArray(1, char(i)) + QByteArray(3, '\0'));
            QCOMPARE(r.path, std::string(xplaneDefaultDatarefs[i].path));
            QCOMPARE(r.from.port, link->local().port);
        }
        QVERIFY(link->stale());
        QCOMPARE(link->awaitedText(), "Waiting for X-Plane at " + sim->endpoint().text());
    }

    void answers_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("live");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("ignored");
        QTest::newRow("good answer")
            << rrefAnswer({{0, 2400}, {2, 80}}) << true << "rpm=2400 oilTemp=176"
            << "";
        QTest::newRow("wrong magic")
            << QByteArray("RPOS4").append(rrefAnswer({{0, 1}}).mid(5)) << false << ""
            << "wrong magic=1";
        QTest::newRow("odd length") << rrefAnswer({{0, 2400}}).append('\0') << false << ""
                                    << "odd length=1";
        QTest::newRow("4 KiB of zeros") << QByteArray(4096, '\0') << false << ""
                                        << "oversized=1";
        QTest::newRow("unknown index") << rrefAnswer({{77, 1}}) << false << ""
                                       << "unknown index=1";
        QTest::newRow("X-Plane's unused mark")
            << rrefAnswer({{0, -999}, {1, 20}}) << true << "manifoldPressure=20"
            << "unused value=1";
    }

    // Crafted answers through the socket: the sample holds what was valid,
    // and a simulator sending only broken packets is still awaited.
    void answers() {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, live);
        QFETCH(QString, values);
        QFETCH(QString, ignored);
        QVERIFY(subscribed());
        QVERIFY(answer(datagram));
        QCOMPARE(link->stale(), !live);
        QCOMPARE(sampleMismatch(link->sample(), values), QString());
        QCOMPARE(countersMismatch(link->counters(), ignored), QString());
    }

    // Silent for two seconds: every value goes, the caption text says who is
    // awaited and the link subscribes again; the first answer brings the
    // gauges back, and nothing from before the silence.
    void silenceGoesStaleAndResubscribes() {
        QVERIFY(subscribed());
        QVERIFY(answer(rrefAnswer({{0, 2400}, {1, 25}})));
        QVERIFY(!link->stale());
        QCOMPARE(link->subscriptionsSent(), 1);

        now = 101.9;
        link->poll();
        QVERIFY(!link->stale());
        QCOMPARE(link->subscriptionsSent(), 1);

        sim->clearRequests();
        now = 102.0;
        link->poll();
        QVERIFY(link->stale());
        QCOMPARE(sampleMismatch(link->sample(), ""), QString());
        QCOMPARE(link->awaitedText(), "Waiting for X-Plane at " + sim->endpoint().text());
        QCOMPARE(link->subscriptionsSent(), 2);
        QVERIFY(pollUntil([&] { sim->receive(); },
                          [&] { return sim->requests().size() == xplaneDefaultDatarefCount; }));

        now = 103.5; // still silent, not yet two seconds since asking again
        link->poll();
        QCOMPARE(link->subscriptionsSent(), 2);
        now = 104.0;
        link->poll();
        QCOMPARE(link->subscriptionsSent(), 3);

        now = 104.5;
        QVERIFY(answer(rrefAnswer({{1, 23}})));
        QVERIFY(!link->stale());
        QCOMPARE(sampleMismatch(link->sample(), "manifoldPressure=23"), QString());
        QCOMPARE(link->sample().time, 4.5);
    }

    // While answers keep coming the link never asks again.
    void answeredLinkDoesNotResubscribe() {
        QVERIFY(subscribed());
        for (int i = 0; i < 40; ++i) {
            now += 0.25;
            QVERIFY(answer(rrefAnswer({{0, float(2000 + i)}})));
        }
        QCOMPARE(link->subscriptionsSent(), 1);
        QVERIFY(!link->stale());
    }

    void otherSendersAreIgnored_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("samePort");
        QTest::newRow("the simulator's address, another port") << "127.0.0.1" << false;
        QTest::newRow("another loopback address, the simulator's port") << "127.0.0.2" << true;
    }

    void otherSendersAreIgnored() {
        QFETCH(QString, address);
        QFETCH(bool, samePort);
        QVERIFY(subscribed());
        QUdpSocket stranger;
        QVERIFY(stranger.bind(QHostAddress(address), samePort ? sim->endpoint().port : 0));
        stranger.writeDatagram(rrefAnswer({{0, 2400}}), link->local().address, link->local().port);
        QVERIFY(pollUntil([&] { link->poll(); },
                          [&] { return link->counters()[Ignored::wrongSender] == 1; }));
        QVERIFY(link->stale());
        QCOMPARE(sampleMismatch(link->sample(), ""), QString());
    }

    // Closing, or dropping the link, ends every subscription.
    void unsubscribesOnClose_data() {
        QTest::addColumn<bool>("destroy");
        QTest::newRow("close()") << false;
        QTest::newRow("destructor") << true;
    }

    void unsubscribesOnClose() {
        QFETCH(bool, destroy);
        QVERIFY(subscribed());
        sim->clearRequests();
        if (destroy)
            link.reset();
        else
            link->close();
        QVERIFY(pollUntil([&] { sim->receive(); },
                          [&] { return sim->requests().size() == xplaneDefaultDatarefCount; }));
        for (const FakeXPlane::Request& r : sim->requests())
            QCOMPARE(r.frequency, 0);
        QVERIFY(sim->subscriptions().empty());
    }

    // However many answers wait, one poll takes at most its share.
    void pollTakesABoundedNumber() {
        QVERIFY(subscribed());
        for (int i = 0; i < 2000; ++i)
            sim->sendRaw(rrefAnswer({{0, 2400}}));
        QTest::qWait(20);
        link->poll();
        QVERIFY(link->counters().validPackets > 0);
        QVERIFY(link->counters().validPackets <= std::uint64_t(LiveLink::maxDatagramsPerPoll));
    }

    // The fake's own answers read as its engine.
    void fakeEngineComesThrough() {
        QVERIFY(subscribed());
        sim->sendEngine(0);
        QVERIFY(pollUntil([&] { link->poll(); }, [&] { return !link->stale(); }));
        QCOMPARE(int(link->sample().present.count()), int(xplaneDefaultDatarefCount));
        QCOMPARE(countersMismatch(link->counters(), ""), QString());
        QVERIFY(std::fabs(link->sample()[Quantity::rpm] - 2250) < 0.5);
    }
};

QTEST_GUILESS_MAIN(XPlaneLinkTest)
#include "tst_xplane_link.moc"
