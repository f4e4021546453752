// The real program with --flightgear in a real X server, fed by a fake
// FlightGear in this process: the screen and the caption follow it, and
// show its silence; the session is recorded, no data as empty fields.

#include "XScreen.h"

#include "live/fake/FakeFlightGear.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

namespace {

const QString title = QStringLiteral("Corvane Zentor Demo");
const QRect monitorScreen(50, 45, 630, 483); // panel pixels
const QRect rpmReadout(200, 135, 100, 40);
const QRect throttleTravel(150, 722, 100, 70); // the knob's upper travel

// A port nobody holds now, for the program to listen on.
quint16 freeUdpPort() {
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}

} // namespace

class EndToEndLiveTest : public QObject {
    Q_OBJECT

    QProcess program;
    QString windowId;
    PanelOnScreen panel;
    quint16 port = freeUdpPort();
    FakeFlightGear flightgear{{QHostAddress(QHostAddress::LocalHost), port}};
    QString live = QStringLiteral("FlightGear on UDP 127.0.0.1:%1").arg(port);
    QString waiting = "Waiting for " + live;
    QImage noData; // the screen before the first packet
    QTemporaryDir folder;

    QString caption() const { return runXdotool({"getwindowname", windowId}); }

    // Polls the caption for at most `ms` milliseconds; the time it took, or -1.
    qint64 waitForCaption(const QString& status, int ms) const {
        QElapsedTimer waited;
        waited.start();
        // The status, then the program's name, once.
        const QString shown = status + QStringLiteral(" \u2014 ") + title;
        while (waited.elapsed() < ms) {
            if (caption() == shown)
                return waited.elapsed();
            QTest::qWait(50);
        }
        return -1;
    }

private slots:
    void initTestCase() {
        const QString path = qEnvironmentVariable("ZENTOR_DEMO");
        QVERIFY2(!path.isEmpty(), "ZENTOR_DEMO names the program");
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        QVERIFY(folder.isValid());
        program.start(path, {"--flightgear", QString::number(port), "--record",
                             folder.filePath("live.csv"), "--record-interval", "0.2"});
        QVERIFY(program.waitForStarted(5000));
        windowId = findWindow(title);
        QVERIFY2(!windowId.isEmpty(), "the window appears");
        panel.measure(windowId);
        QVERIFY(panel.client.width() > 300 && panel.client.height() > 300);
    }

    // Before FlightGear sends anything the instrument awaits it.
    void awaitsTheSimulator() {
        QVERIFY(waitForCaption(waiting, 2000) >= 0);
        QTest::qWait(300);
        noData = screenshot();
        noData.save(QStringLiteral("e2e-live-awaited.png"));
    }

    // Its lines bring numbers and the throttle's position.
    void followsTheSimulator() {
        flightgear.start();
        QVERIFY2(waitForCaption(live, 2000) >= 0, qPrintable(caption()));
        QTest::qWait(300);
        const QImage shown = screenshot();
        shown.save(QStringLiteral("e2e-live-shown.png"));
        QVERIFY(difference(noData, shown, panel.at(rpmReadout)) > 2000);
        QVERIFY(difference(noData, shown, panel.at(throttleTravel)) > 100000);
    }

    // Two silent seconds: the caption says what is awaited and the screen is
    // the one before the first packet, dashes and no pointers.
    void silenceIsNoData() {
        flightgear.setSilent(true);
        const qint64 took = waitForCaption(waiting, 3000);
        QVERIFY2(took >= 0, qPrintable(caption()));
        QVERIFY2(took < 2500, qPrintable(QString::number(took)));
        QTest::qWait(300);
        const QImage silent = screenshot();
        silent.save(QStringLiteral("e2e-live-silent.png"));
        QCOMPARE(difference(noData, silent, panel.at(monitorScreen)), 0);

        flightgear.setSilent(false);
        QVERIFY(waitForCaption(live, 2000) >= 0);
    }

    void escapeClosesCleanly() {
        runXdotool({"windowfocus", "--sync", windowId});
        runXdotool({"key", "--window", windowId, "Escape"});
        QVERIFY(program.waitForFinished(2000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    // The recording holds rows while the simulator was awaited (no rpm) and
    // rows of its numbers.
    void sessionWasRecorded() {
        QFile recorded(folder.filePath("live.csv"));
        QVERIFY(recorded.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = recorded.readAll().split('\n');
        QVERIFY(lines.size() > 4);
        const int rpm = lines[1].split(',').indexOf("RPM (rpm)");
        QVERIFY2(rpm > 0, lines[1].constData());
        int awaited = 0;
        int followed = 0;
        for (const QByteArray& line : lines.mid(2))
            if (const QList<QByteArray> fields = line.split(','); fields.size() > rpm)
                ++(fields[rpm].isEmpty() ? awaited : followed);
        QVERIFY2(awaited > 0 && followed > 0,
                 qPrintable(QString("%1 %2").arg(awaited).arg(followed)));
    }

    void cleanupTestCase() {
        if (program.state() == QProcess::NotRunning)
            return;
        program.kill();
        program.waitForFinished(2000);
    }
};

QTEST_MAIN(EndToEndLiveTest)
#include "tst_end_to_end_live.moc"
