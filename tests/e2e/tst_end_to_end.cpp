#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTest>

namespace {

// The window opens at the top left of the screen; no window manager runs, so
// our own caption (24 px) and border (4 px) surround the client area.
constexpr int border = 4;
constexpr int caption = 24;

QString runTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QImage screenshot() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

// Sum of channel differences over a rectangle of two screenshots.
qint64 difference(const QImage& a, const QImage& b, QRect area) {
    qint64 sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum +=
                qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return sum;
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

    QProcess program;
    QString windowId;
    QSize client;

    // Screen pixel of a panel pixel, through the window's stretch.
    QPoint onScreen(double panelX, double panelY) const {
        return {border + int(panelX * client.width() / 750.0),
                border + caption + int(panelY * client.height() / 945.0)};
    }
    QRect onScreen(QRect panelArea) const {
        return {onScreen(panelArea.left(), panelArea.top()),
                onScreen(panelArea.right(), panelArea.bottom())};
    }

private slots:
    void initTestCase() {
        const QString path = qEnvironmentVariable("ZENTOR_DEMO");
        QVERIFY2(!path.isEmpty(), "ZENTOR_DEMO names the program");
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(path, {});
        QVERIFY(program.waitForStarted(5000));
        windowId = runTool({"search", "--sync", "--onlyvisible", "--name", "Corvane Zentor Demo"})
                       .section('\n', 0, 0);
        QVERIFY2(!windowId.isEmpty(), "the window appears");
        const QString geometry = runTool({"getwindowgeometry", "--shell", windowId});
        const int width = geometry.section("WIDTH=", 1).section('\n', 0, 0).toInt();
        const int height = geometry.section("HEIGHT=", 1).section('\n', 0, 0).toInt();
        QVERIFY(width > 300 && height > 300);
        client = QSize(width - 2 * border, height - caption - 2 * border);
        QTest::qWait(500); // a few ticks
    }

    void knobDragMovesTheEngine() {
        const QImage before = screenshot();
        // Grab the black knob (pulled out: top at panel y 805) and push it in.
        const QPoint grab = onScreen(199, 860);
        const QPoint pushed = onScreen(199, 700);
        runTool({"mousemove", "--sync", QString::number(grab.x()), QString::number(grab.y())});
        runTool({"mousedown", "1"});
        for (int step = 1; step <= 10; ++step) {
            const int y = grab.y() + (pushed.y() - grab.y()) * step / 10;
            runTool({"mousemove", "--sync", QString::number(grab.x()), QString::number(y)});
        }
        runTool({"mouseup", "1"});
        QTest::qWait(700);
        const QImage after = screenshot();
        after.save(QStringLiteral("e2e-after-drag.png"));
        // The knob now covers the upper part of its travel ...
        QVERIFY(difference(before, after, onScreen(QRect(150, 722, 100, 70))) > 100000);
        // ... and the RPM readout shows another number.
        QVERIFY(difference(before, after, onScreen(QRect(200, 135, 100, 40))) > 2000);
    }

    void demoModeShowsBothMarks() {
        const QImage before = screenshot();
        const QPoint box = onScreen(536, 921);
        runTool({"mousemove", "--sync", QString::number(box.x()), QString::number(box.y())});
        runTool({"click", "1"});
        QTest::qWait(300);
        const QImage after = screenshot();
        after.save(QStringLiteral("e2e-demo-mode.png"));
        QVERIFY(difference(before, after, onScreen(QRect(527, 912, 18, 19))) > 2000);
        QVERIFY(difference(before, after, onScreen(QRect(678, 912, 18, 19))) > 2000);
    }

    void escapeClosesCleanly() {
        runTool({"windowfocus", "--sync", windowId});
        QElapsedTimer clock;
        clock.start();
        runTool({"key", "--window", windowId, "Escape"});
        QVERIFY(program.waitForFinished(1000));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    void cleanupTestCase() {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(2000);
        }
    }
};

QTEST_MAIN(EndToEndTest)
#include "tst_end_to_end.moc"
