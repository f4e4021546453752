// Lean-find in the real window, driven by xdotool: our fixture flight with a
// lean sweep replayed at 16x from just before the pilot leans. L turns the
// search on; once every cylinder has peaked the big EGT readout shows the
// distance from the boxed cylinder's peak in cyan; L again gives back the
// white temperature.

#include "XScreen.h"

#include "FlightFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The replay's position in whole seconds, from the caption.
int captionSeconds(const QString& window) {
    static const QRegularExpression pattern(
        QStringLiteral("flight\\.csv (\\d\\d):(\\d\\d):(\\d\\d)"));
    const QRegularExpressionMatch match = pattern.match(runXdotool({"getwindowname", window}));
    if (!match.hasMatch())
        return -1;
    return match.captured(1).toInt() * 3600 + match.captured(2).toInt() * 60 +
           match.captured(3).toInt();
}

// Cyan pixels of the screen's big EGT readout (panel 130, 475, 90 x 40).
int cyanInBigEgtReadout(const QString& window) {
    PanelOnScreen panel;
    panel.measure(window);
    const QImage image = screenshot();
    const QRect area = panel.at(QRect(130, 475, 90, 40));
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += qRed(p) < 80 && qGreen(p) > 180 && qBlue(p) > 180 ? 1 : 0;
        }
    return count;
}

} // namespace

class LeanEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void leanFindOnAReplay() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFile log(folder.filePath("flight.csv"));
        const QByteArray text =
            QByteArray::fromStdString(flightLog(flightPlan(FlightKind::leanSweep)));
        QVERIFY(log.open(QIODevice::WriteOnly) && log.write(text) == text.size());
        log.close();
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        // Leaning starts 25 minutes in (after taxi, climb and cruise).
        program.start(
            qEnvironmentVariable("ZENTOR_DEMO"),
            {"--replay", folder.filePath("flight.csv"), "--from", "0:24:50", "--speed", "16"});
        QVERIFY(program.waitForStarted(5000));
        const QString window = findWindow(QStringLiteral("Corvane Zentor Demo"));
        QVERIFY(!window.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(captionSeconds(window) >= 1490, 10000);
        QCOMPARE(cyanInBigEgtReadout(window), 0); // the temperature, in white

        runXdotool({"windowfocus", "--sync", window});
        runXdotool({"key", "--window", window, "l"});
        // The last cylinder peaks at 10.6 gal/h, about 2 min 25 s into the sweep.
        QTRY_VERIFY_WITH_TIMEOUT(captionSeconds(window) >= 1660, 30000);
        QTest::qWait(200);
        const int leaning = cyanInBigEgtReadout(window);
        QVERIFY2(leaning > 40, qPrintable(QString::number(leaning)));

        runXdotool({"key", "--window", window, "l"});
        QTRY_COMPARE_WITH_TIMEOUT(cyanInBigEgtReadout(window), 0, 3000);
        program.terminate();
        QVERIFY(program.waitForFinished(5000));
    }
};

QTEST_MAIN(LeanEndToEndTest)
#include "tst_lean_end_to_end.moc"
