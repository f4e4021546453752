#include "XScreen.h"

#include <QElapsedTimer>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <csignal>

namespace {

constexpr int border = PanelOnScreen::border;
constexpr int caption = PanelOnScreen::caption;

// The pointer's picture as the X server shows it now: its name where the
// cursor theme gives one, its size, hot spot and a digest of its pixels, so
// that two equal texts are the same picture.
QString shownCursor() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return QStringLiteral("no display");
    QString text = QStringLiteral("no cursor");
    if (XFixesCursorImage* image = XFixesGetCursorImage(display)) {
        quint64 digest = 1469598103934665603ull;
        for (int i = 0; i < image->width * image->height; ++i)
            digest = (digest ^ quint64(image->pixels[i] & 0xFFFFFFFFu)) * 1099511628211ull;
        text = QStringLiteral("%1 %2x%3 hot %4,%5 #%6")
                   .arg(QString::fromLatin1(image->name ? image->name : ""))
                   .arg(image->width)
                   .arg(image->height)
                   .arg(image->xhot)
                   .arg(image->yhot)
                   .arg(digest, 16, 16, QLatin1Char('0'));
        XFree(image);
    }
    XCloseDisplay(display);
    return text;
}

// A hidden pointer: a picture with no visible pixel.
bool cursorHidden() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    bool hidden = false;
    if (XFixesCursorImage* image = XFixesGetCursorImage(display)) {
        hidden = true;
        for (int i = 0; i < image->width * image->height; ++i)
            hidden = hidden && (image->pixels[i] >> 24) == 0;
        XFree(image);
    }
    XCloseDisplay(display);
    return hidden;
}

// The share of an area in the caption's and border's own grey.
double captionGreyShare(const QImage& image, QRect area) {
    int grey = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            grey += (image.pixel(x, y) & 0xFFFFFF) == 0x2b2d30;
    return double(grey) / (area.width() * area.height());
}

QRect windowGeometry(const QString& window) {
    const QString shell = runXdotool({"getwindowgeometry", "--shell", window});
    const auto field = [&](const char* name) {
        return shell.section(QLatin1String(name) + QLatin1Char('='), 1).section('\n', 0, 0).toInt();
    };
    return {field("X"), field("Y"), field("WIDTH"), field("HEIGHT")};
}

void pointerTo(QPoint at) {
    runXdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    QTest::qWait(150); // the program answers the crossing
}

// A left-button drag in steps, as a hand makes it.
void dragBy(QPoint from, QPoint travel) {
    pointerTo(from);
    runXdotool({"mousedown", "1"});
    constexpr int steps = 10;
    for (int step = 1; step <= steps; ++step) {
        const QPoint at = from + travel * step / steps;
        runXdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    }
    runXdotool({"mouseup", "1"});
    QTest::qWait(300);
}

// The program started anew with `arguments`; its window's id.
QString startProgram(QProcess& process, const QStringList& arguments) {
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(qEnvironmentVariable("ZENTOR_DEMO"), arguments);
    if (!process.waitForStarted(5000))
        return {};
    return runXdotool({"search", "--sync", "--all", "--onlyvisible", "--pid",
                       QString::number(process.processId()), "--name", "Corvane Zentor Demo"})
        .section('\n', 0, 0);
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

    QProcess program;
    QString windowId;
    PanelOnScreen panel;

    // Screen pixels of panel pixels, through the window's stretch: panel.at().

private slots:
    void initTestCase() {
        const QString path = qEnvironmentVariable("ZENTOR_DEMO");
        QVERIFY2(!path.isEmpty(), "ZENTOR_DEMO names the program");
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(path, {});
        QVERIFY(program.waitForStarted(5000));
        windowId = findWindow(QStringLiteral("Corvane Zentor Demo"));
        QVERIFY2(!windowId.isEmpty(), "the window appears");
        panel.measure(windowId);
        QVERIFY(panel.client.width() > 300 && panel.client.height() > 300);
        QTest::qWait(500); // a few ticks
    }

    void knobDragMovesTheEngine() {
        const QImage before = screenshot();
        // Grab the black knob (pulled out: top at panel y 805) and push it in.
        const QPoint grab = panel.at(199, 860);
        const QPoint pushed = panel.at(199, 700);
        runXdotool({"mousemove", "--sync", QString::number(grab.x()), QString::number(grab.y())});
        runXdotool({"mousedown", "1"});
        for (int step = 1; step <= 10; ++step) {
            const int y = grab.y() + (pushed.y() - grab.y()) * step / 10;
            runXdotool({"mousemove", "--sync", QString::number(grab.x()), QString::number(y)});
        }
        runXdotool({"mouseup", "1"});
        QTest::qWait(700);
        const QImage after = screenshot();
        after.save(QStringLiteral("e2e-after-drag.png"));
        // The knob now covers the upper part of its travel ...
        QVERIFY(difference(before, after, panel.at(QRect(150, 722, 100, 70))) > 100000);
        // ... and the RPM readout shows another number.
        QVERIFY(difference(before, after, panel.at(QRect(200, 135, 100, 40))) > 2000);
    }

    // Seen as the X server shows it: after the pointer crossed the sizing
    // border, the caption and the panel show the arrow again, controls the
    // hand, and the grab zone reaches over the panel's edge pixels.
    void cursorShapesAfterCrossingTheBorder() {
        const int height = panel.client.height() + caption + 2 * border;
        const QPoint panelBlank = panel.at(60, 800);
        const QPoint captionTitle(100, 12);
        const QPoint leftBorder(1, height / 2);
        const QPoint leftClientEdge(border + 2, height / 2);
        const QPoint topBorder(200, 1);
        const QPoint cylinderButton = panel.at(140, 600);
        pointerTo(panelBlank);
        const QString arrow = shownCursor();
        pointerTo(leftBorder);
        const QString sideways = shownCursor();
        qInfo("arrow: %s; sideways: %s", qPrintable(arrow), qPrintable(sideways));
        QVERIFY(sideways != arrow);
        pointerTo(captionTitle);
        QCOMPARE(shownCursor(), arrow);
        pointerTo(topBorder);
        QVERIFY(shownCursor() != arrow && shownCursor() != sideways);
        pointerTo(panelBlank);
        QCOMPARE(shownCursor(), arrow);
        pointerTo(leftBorder);
        pointerTo(cylinderButton);
        const QString hand = shownCursor();
        QVERIFY(hand != arrow && hand != sideways);
        pointerTo(panelBlank);
        QCOMPARE(shownCursor(), arrow);
        pointerTo(leftClientEdge);
        QCOMPARE(shownCursor(), sideways);
        pointerTo(captionTitle);
        QCOMPARE(shownCursor(), arrow);
    }

    // The throttle (chosen at start) by the page keys, then the propeller
    // chosen with 2; its placard's lamp lights.
    void keysMoveTheChosenKnob() {
        runXdotool({"windowfocus", "--sync", windowId});
        const QImage before = screenshot();
        runXdotool({"key", "--window", windowId, "Next", "Next", "Next", "Next", "Next"});
        QTest::qWait(300);
        const QImage throttleMoved = screenshot();
        QVERIFY(difference(before, throttleMoved, panel.at(QRect(150, 722, 100, 70))) > 100000);
        QCOMPARE(difference(before, throttleMoved, panel.at(QRect(330, 700, 90, 80))), 0);
        runXdotool({"key", "--window", windowId, "2", "Next", "Next", "Next", "Next", "Next"});
        QTest::qWait(300);
        const QImage propellerMoved = screenshot();
        propellerMoved.save(QStringLiteral("e2e-keys.png"));
        QVERIFY(difference(throttleMoved, propellerMoved, panel.at(QRect(330, 700, 90, 80))) >
                20000);
        QVERIFY(difference(throttleMoved, propellerMoved, panel.at(QRect(338, 882, 14, 14))) > 500);
    }

    // Rotary encoders arrive as wheels: notches down over the mixture pull it out.
    void wheelMovesTheKnobUnderThePointer() {
        const QImage before = screenshot();
        pointerTo(panel.at(545, 760));
        runXdotool({"click", "--repeat", "20", "--delay", "20", "5"});
        QTest::qWait(300);
        const QImage after = screenshot();
        QVERIFY(difference(before, after, panel.at(QRect(500, 700, 90, 80))) > 20000);
        QCOMPARE(difference(before, after, panel.at(QRect(150, 722, 100, 70))), 0);
    }

    void demoModeShowsBothMarks() {
        const QImage before = screenshot();
        const QPoint box = panel.at(536, 921);
        runXdotool({"mousemove", "--sync", QString::number(box.x()), QString::number(box.y())});
        runXdotool({"click", "1"});
        QTest::qWait(300);
        const QImage after = screenshot();
        after.save(QStringLiteral("e2e-demo-mode.png"));
        QVERIFY(difference(before, after, panel.at(QRect(527, 912, 18, 19))) > 2000);
        QVERIFY(difference(before, after, panel.at(QRect(678, 912, 18, 19))) > 2000);
    }

    // No window manager runs here, so the window system refuses to move and
    // resize: the window does it by itself, from the caption, the border and
    // the panel's edge pixels.
    void dragsWithoutAWindowManager() {
        const QRect start = windowGeometry(windowId);
        dragBy(start.topLeft() + QPoint(100, 12), {150, 100});
        const QRect moved = windowGeometry(windowId);
        QCOMPARE(moved, start.translated(150, 100));
        dragBy(moved.topLeft() + QPoint(moved.width() - 2, moved.height() / 2), {80, 0});
        const QRect wider = windowGeometry(windowId);
        QCOMPARE(wider, moved.adjusted(0, 0, 80, 0));
        dragBy(wider.topLeft() + QPoint(border + 2, wider.height() / 2), {-40, 0});
        const QRect widerLeft = windowGeometry(windowId);
        QCOMPARE(widerLeft, wider.adjusted(-40, 0, 0, 0));
        dragBy(widerLeft.bottomRight() - QPoint(1, 1), {-30, -60});
        QCOMPARE(windowGeometry(windowId), widerLeft.adjusted(0, 0, -30, -60));
        // Back to the opening place for the tests that follow.
        const QRect now = windowGeometry(windowId);
        dragBy(now.topLeft() + QPoint(100, 12), start.topLeft() - now.topLeft());
        const QRect back = windowGeometry(windowId);
        dragBy(back.bottomRight() - QPoint(1, 1), start.bottomRight() - back.bottomRight());
        QCOMPARE(windowGeometry(windowId), start);
    }

    // F11 fills the screen without a window manager, the pointer hides when
    // it rests, and F11 again puts the window back.
    void fullscreenAndBack() {
        const QRect start = windowGeometry(windowId);
        const QImage windowed = screenshot();
        runXdotool({"windowfocus", "--sync", windowId});
        runXdotool({"key", "--window", windowId, "F11"});
        QTest::qWait(500);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(windowGeometry(windowId), screen);
        const QImage full = screenshot();
        full.save(QStringLiteral("e2e-fullscreen.png"));
        // No caption and no border: the strip where they were shows the panel.
        const QRect captionStrip(0, 0, start.width(), caption + border);
        QVERIFY(captionGreyShare(windowed, captionStrip) > 0.5);
        QVERIFY(captionGreyShare(full, captionStrip) < 0.05);
        pointerTo({640, 500});
        QVERIFY(!cursorHidden());
        QTRY_VERIFY_WITH_TIMEOUT(cursorHidden(), 4500);
        pointerTo({600, 480});
        QVERIFY(!cursorHidden());
        runXdotool({"key", "--window", windowId, "F11"});
        QTest::qWait(500);
        QCOMPARE(windowGeometry(windowId), start);
    }

    void escapeClosesCleanly() {
        runXdotool({"windowfocus", "--sync", windowId});
        QElapsedTimer clock;
        clock.start();
        // Through the focus, not to the window: xdotool sends the release to
        // a window that is gone by then, fails, and leaves the key held.
        runXdotool({"key", "Escape"});
        QVERIFY(program.waitForFinished(1000));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    // --size opens with exactly that client area; SIGTERM closes in order.
    void sizeOptionAndStopSignal() {
        QProcess sized;
        const QString window = startProgram(sized, {"--size", "640x480"});
        QVERIFY2(!window.isEmpty(), "the window appears");
        QCOMPARE(windowGeometry(window).size(),
                 QSize(640 + 2 * border, 480 + caption + 2 * border));
        QTest::qWait(300);
        QCOMPARE(sized.state(), QProcess::Running);
        sized.terminate();
        QVERIFY(sized.waitForFinished(2000));
        QCOMPARE(sized.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sized.exitCode(), 0);
    }

    // --fullscreen fills the screen from the start; Escape still closes.
    void fullscreenOption() {
        QProcess full;
        const QString window = startProgram(full, {"--fullscreen"});
        QVERIFY2(!window.isEmpty(), "the window appears");
        QTRY_COMPARE(windowGeometry(window), QGuiApplication::primaryScreen()->geometry());
        runXdotool({"windowfocus", "--sync", window});
        runXdotool({"key", "Escape"});
        QVERIFY(full.waitForFinished(2000));
        QCOMPARE(full.exitCode(), 0);
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
