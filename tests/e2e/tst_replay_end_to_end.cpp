// A log replayed in the real window, driven by xdotool: the caption names the
// file, position, length and speed; Space pauses, Right seeks, + doubles the
// speed; the frames show the log's values, not the model's; a long caption
// leaves the window at its opening size; the session is recorded alongside.

#include "XScreen.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Ten minutes of a climb: rpm and manifold pressure from the log, no fuel flow.
QByteArray climbLog() {
    QByteArray text = "Time,RPM,Manifold Pressure (inHg),Oil Temp (°F)\n";
    for (int second = 0; second <= 600; ++second)
        text += QByteArray::number(second) + "," + QByteArray::number(2300 + second / 6) + "," +
                QByteArray::number(24.0 + second / 600.0, 'f', 2) + ",185\n";
    return text;
}

// What the caption says of the replay; the window system may put the
// program's name before or after it.
struct ReplayCaption {
    bool valid = false;
    int position = 0; // seconds
    QString length;
    QString speed;
    bool paused = false;
};

ReplayCaption readCaption(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("(^|\u2014 )climb\\.csv (\\d\\d):(\\d\\d):(\\d\\d) / "
                       "(\\d\\d:\\d\\d:\\d\\d) (\\S+x)( paused)?( \u2014 |$)"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return {};
    return {true,
            match.captured(2).toInt() * 3600 + match.captured(3).toInt() * 60 +
                match.captured(4).toInt(),
            match.captured(5), match.captured(6), match.hasCaptured(7)};
}

} // namespace

class ReplayEndToEndTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QProcess program;
    QString windowId;
    QImage modelFrame;
    QString modelGeometry; // the opening size, as the window system has it

    ReplayCaption caption() const { return readCaption(runXdotool({"getwindowname", windowId})); }
    static QString geometryOf(const QString& window) {
        return runXdotool({"getwindowgeometry", window}).section('\n', 2).trimmed();
    }
    // The program may have gone by the time press returns (Escape).
    void press(const char* key) const {
        runXdotool({"windowfocus", "--sync", windowId});
        runXdotool({"key", "--window", windowId, key});
        QTest::qWait(200); // a few ticks: the caption follows at the next one
    }
    // Screen rectangle of a panel rectangle at the window's stretch.
    QRect onScreen(QRect panelArea) const {
        PanelOnScreen panel;
        panel.measure(windowId);
        return panel.at(panelArea);
    }

private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        QFile log(folder.filePath("climb.csv"));
        QVERIFY(log.open(QIODevice::WriteOnly) && log.write(climbLog()) > 0);
        log.close();
        const QString path = qEnvironmentVariable("ZENTOR_DEMO");
        QVERIFY2(!path.isEmpty(), "ZENTOR_DEMO names the program");

        // The model's opening frame, to tell the replay's from.
        QProcess model;
        model.start(path, {});
        QVERIFY(model.waitForStarted(5000));
        windowId = findWindow(QStringLiteral("Corvane Zentor Demo"));
        QVERIFY2(!windowId.isEmpty(), "the model's window appears");
        QTest::qWait(300);
        modelFrame = screenshot();
        modelGeometry = geometryOf(windowId);
        // Not Escape: a key the window takes down with it is left held.
        model.terminate();
        QVERIFY(model.waitForFinished(2000));

        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(path, {"--replay", folder.filePath("climb.csv"), "--from", "0:30", "--record",
                             folder.filePath("session.csv"), "--record-interval", "0.5"});
        QVERIFY(program.waitForStarted(5000));
        windowId = findWindow(QStringLiteral("Corvane Zentor Demo"));
        QVERIFY2(!windowId.isEmpty(), "the replay's window appears");
        QTest::qWait(300);
    }

    void captionNamesTheReplay() {
        const ReplayCaption shown = caption();
        QVERIFY2(shown.valid, qPrintable(runXdotool({"getwindowname", windowId})));
        QVERIFY(shown.position >= 30 && shown.position <= 32);
        QCOMPARE(shown.length, QString("00:10:00"));
        QCOMPARE(shown.speed, QString("1x"));
        QVERIFY(!shown.paused);
    }

    void framesShowTheLog() {
        const QImage replayed = screenshot();
        replayed.save(QStringLiteral("e2e-replay.png"));
        // The rpm readout shows the log's 2305, the model's frame its idle.
        QVERIFY(difference(modelFrame, replayed, onScreen(QRect(200, 135, 100, 40))) > 2000);
        // The log has no fuel flow: dashes where the model shows its figure.
        QVERIFY(difference(modelFrame, replayed, onScreen(QRect(400, 480, 110, 30))) > 500);
    }

    void spacePausesAndResumes() {
        press("space");
        const ReplayCaption paused = caption();
        QVERIFY(paused.valid && paused.paused);
        QTest::qWait(1500);
        QCOMPARE(caption().position, paused.position);
        press("space");
        QTest::qWait(1300);
        const ReplayCaption resumed = caption();
        QVERIFY(!resumed.paused);
        QVERIFY(resumed.position > paused.position);
    }

    void rightSeeksForward() {
        const int before = caption().position;
        press("Right");
        const int after = caption().position;
        QVERIFY2(after >= before + 10 && after <= before + 12,
                 qPrintable(QString("%1 to %2").arg(before).arg(after)));
    }

    void plusDoublesTheSpeed() {
        press("plus");
        QCOMPARE(caption().speed, QString("2x"));
        press("minus");
        press("minus");
        QCOMPARE(caption().speed, QString("1/2x"));
    }

    // A caption longer than the window (a long file name, then the read
    // report) is cut; the window keeps its opening size and its round dials.
    void longCaptionKeepsTheWindowSize() {
        const QString log =
            folder.filePath("a-rather-long-flight-log-name-straight-off-the-avionics-card.csv");
        QFile file(log);
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write("Time,RPM,Oil Temp (deg F)\n0,2300,27O0\n1,2310,185\nnoon,1\n"
                           "2,2320,186\n") > 0);
        file.close();
        QProcess replay;
        replay.start(qEnvironmentVariable("ZENTOR_DEMO"), {"--replay", log});
        QVERIFY(replay.waitForStarted(5000));
        const QString window = findWindow(QStringLiteral("a-rather-long-flight-log-name"));
        QVERIFY2(!window.isEmpty(), "the replay's window appears");
        QTest::qWait(500);
        QVERIFY(runXdotool({"getwindowname", window}).contains("1 bad row skipped"));
        QCOMPARE(geometryOf(window), modelGeometry);
        replay.terminate();
        QVERIFY(replay.waitForFinished(2000));
    }

    void escapeEndsTheRecording() {
        press("Escape");
        QVERIFY(program.state() == QProcess::NotRunning || program.waitForFinished(2000));
        QCOMPARE(program.exitCode(), 0);
        QFile recorded(folder.filePath("session.csv"));
        QVERIFY(recorded.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = recorded.readAll().split('\n');
        QVERIFY(lines[0].startsWith("# engine log written by zentor-demo "));
        QVERIFY(lines[1].startsWith("UTC (ISO 8601),Elapsed (s),RPM (rpm),"));
        // A row each half second for the few seconds the window was open.
        QVERIFY2(lines.size() > 8, qPrintable(QString::number(lines.size())));
        QVERIFY(lines[2].contains(",0.000,2305,"));
    }

    void cleanupTestCase() {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(2000);
        }
    }
};

QTEST_MAIN(ReplayEndToEndTest)
#include "tst_replay_end_to_end.moc"
