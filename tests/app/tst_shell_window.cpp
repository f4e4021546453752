#include "panel/OffscreenPanelWindow.h"
#include "tests/support/InstrumentReset.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/shell/PanelControls.h"
#include "app/window/FrameView.h"
#include "app/window/OpeningSize.h"
#include "app/window/ShellWindow.h"
#include "engine/EngineModel.h"
#include "engine/EngineSource.h"
#include "panel/FrameCompositor.h"
#include "panel/PanelArtwork.h"
#include "sound/EngineSound.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace {

// Tests choose the cylinder spreads the program draws from the calendar.
constexpr std::uint32_t spreadSeed = 7;

// Records what the shell asks of the window system, and what the instrument
// looked like at each of those moments.
class RecordingPlatform : public WindowInterface {
public:
    OffscreenPanelWindow surface;
    QStringList calls;

    void startFrameTimer(int periodMs) override {
        calls << QStringLiteral("timer %1 powered %2 cylinder %3")
                     .arg(periodMs)
                     .arg(instrument().renderer.powered)
                     .arg(instrument().engine.selectedCylinder);
    }
    void stopFrameTimer() override {
        calls << QStringLiteral("stop timer powered %1").arg(instrument().renderer.powered);
    }
    void closeWindow() override {
        calls << QStringLiteral("end sound %1").arg(instrument().sound.buffer != nullptr);
    }
    void resizeWindow(int w, int h) override {
        calls << QStringLiteral("resize %1x%2").arg(w).arg(h);
    }
    PanelWindow* frameSurface() override {
        calls << QStringLiteral("surface throttle %1 propeller %2 mixture %3 powered %4")
                     .arg(instrument().engine.throttle)
                     .arg(instrument().engine.propeller)
                     .arg(instrument().engine.mixture)
                     .arg(instrument().renderer.powered);
        return &surface;
    }
    void setFrameComposer(FrameComposer composeNow) override {
        calls << QStringLiteral("composer %1").arg(bool(composeNow));
        composer = std::move(composeNow);
    }
    void showStatus(const std::string& status) override {
        calls << QStringLiteral("status %1").arg(QString::fromStdString(status));
    }

    FrameComposer composer;
};

// A source whose caption text changes every other tick.
class CountingSource final : public EngineSource {
public:
    void step(EngineState&) override { ++steps; }
    bool followsControls() const override { return false; }
    std::string status() const override { return "half " + std::to_string(steps / 2); }
    int steps = 0;
};

// Client pixel of a panel point, through the view's stretch.
QPoint onView(const FrameView* view, double panelX, double panelY) {
    return {int(panelX * view->width() / 750.0), int(panelY * view->height() / 945.0)};
}

} // namespace

class ShellWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        resetInstrument();
        instrument().engine.selectedCylinder = 3;
        instrument().engine.rpm = 2000.0f;
    }

    // A failed check leaves a test early: close whatever it opened.
    void cleanup() {
        RecordingPlatform platform;
        closeShell(platform);
        freePanelArtwork(instrument().artwork);
    }

    // Sound, controls, frame surface, renderer, timer; and the reverse-ish close.
    void startUpAndCloseOrder() {
        RecordingPlatform platform;
        startShell(platform, spreadSeed);
        QVERIFY(shellRunning());
        QCOMPARE(platform.calls, QStringList({"surface throttle 0 propeller 1 mixture 1 powered 0",
                                              "composer 1", "timer 65 powered 1 cylinder 0"}));
        // The composer makes the surface's panel-sized frame and takes the
        // client area's scale.
        platform.surface.client = ClientRect{0, 0, 375, 1890};
        platform.composer(platform.surface);
        const gfx::Bitmap& frame = platform.surface.keptFrame.frame();
        QCOMPARE(QSize(frame.width(), frame.height()), QSize(750, 945));
        QCOMPARE(instrument().view.scaleY, 2.0);
        QCOMPARE(platform.surface.framesShown, 0); // made for the caller, not shown
        for (int i = 0; i < 6; ++i)
            QVERIFY(instrument().engine.egtSpread[i] >= 0.92 &&
                    instrument().engine.egtSpread[i] <= 1.08);
        QCOMPARE(instrument().engine.rpm, 900.0f); // the engine at its start values
        const EngineState opened = instrument().engine;
        generateCylinderSpreadsFromSeed(instrument().engine, spreadSeed);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(opened.egtSpread[i], instrument().engine.egtSpread[i]);
            QCOMPARE(opened.chtSpread[i], instrument().engine.chtSpread[i]);
        }

        platform.calls.clear();
        closeShell(platform);
        closeShell(platform); // a second close request finds nothing to do
        QCOMPARE(platform.calls,
                 QStringList({"composer 0", "stop timer powered 0", "end sound 0"}));
        QVERIFY(!shellRunning());
        QVERIFY(!instrument().view.window);
    }

    // A tick steps the model first, then composes and shows the frame.
    void tickStepsThenComposes() {
        RecordingPlatform platform;
        startShell(platform, spreadSeed);
        instrument().engine.throttle = 1;
        tickFrameTimer();
        QCOMPARE(platform.surface.framesShown, 1);
        QVERIFY(instrument().engine.rpm > 1000.0f);
        instrument().engine.demoMode = 1;
        tickFrameTimer();
        QCOMPARE(instrument().engine.torque, 400.0f); // demo ticks sweep instead
        QCOMPARE(platform.surface.framesShown, 2);
        closeShell(platform);
    }

    // Exposed after start-up but before the first tick, the window shows a
    // composed frame at once instead of an empty area.
    void exposureBeforeTheFirstTick() {
        loadPanelArtwork(instrument().artwork);
        ShellWindow window(QSize(750, 945));
        startShell(window, spreadSeed);
        window.stopFrameTimer();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shown = window.frameView()->grab().toImage();
        QVERIFY(window.frameView()->latestPanelFrame().valid());
        QCOMPARE(shown.pixel(375, 300),
                 window.frameView()->latestPanelFrame().image().pixel(375, 300));
        closeShell(window);
        // Closed, the view has let its frame go: it paints black and
        // composes nothing.
        FrameView& view = *window.frameView();
        QCOMPARE(view.grab().toImage().pixel(375, 300), 0xFF000000u);
        QVERIFY(!view.latestPanelFrame().valid());
    }

    void fontUnits_data() {
        QTest::addColumn<int>("charWidth");
        QTest::addColumn<int>("charHeight");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("6 x 13 font") << 6 << 13 << QSize(491, 670);
        QTest::newRow("7 x 16 font") << 7 << 16 << QSize(572, 824);
        QTest::newRow("8 x 16 font") << 8 << 16 << QSize(654, 824);
    }

    void fontUnits() {
        QFETCH(int, charWidth);
        QFETCH(int, charHeight);
        QFETCH(QSize, pixels);
        QCOMPARE(fontUnitsToPixels({openingWidthUnits, openingHeightUnits}, charWidth, charHeight),
                 pixels);
    }

    void windowKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << false;
    }

    void windowKeys() {
        QFETCH(int, key);
        QFETCH(bool, closes);
        ShellWindow window(openingClientSize());
        QSignalSpy ended(&window, &ShellWindow::closed);
        window.show();
        startShell(window, spreadSeed);
        QVERIFY(window.frameTimerActive());
        QTest::keyClick(&window, Qt::Key(key));
        QCOMPARE(ended.count(), closes ? 1 : 0);
        QCOMPARE(window.frameTimerActive(), !closes);
        QCOMPARE(bool(instrument().renderer.powered), !closes);
        closeShell(window);
    }

    // The window system's close request (close button, Alt+F4) closes in order.
    void closeRequest() {
        ShellWindow window(openingClientSize());
        QSignalSpy ended(&window, &ShellWindow::closed);
        window.show();
        startShell(window, spreadSeed);
        window.close();
        QCOMPARE(ended.count(), 1);
        QVERIFY(!window.frameTimerActive());
        QVERIFY(!shellRunning());
    }

    void windowGeometry() {
        const QSize client = openingClientSize();
        ShellWindow window(client);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Corvane Zentor Demo"));
        QCOMPARE(window.frameView()->size(), client);
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    }

    // No caption sizes the window, whichever mode writes it: a long one is
    // cut with an ellipsis, the whole of it in the tooltip.
    void longCaptionKeepsTheWindowSize_data() {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("cut");
        QTest::newRow("model") << QString() << false;
        QTest::newRow("replay, bad rows")
            << "a-long-flight-log-name-from-the-avionics-card.csv 01:02:03 / 02:10:00 16x paused "
               "\u2014 312 bad rows skipped, the first on line 7: no readable time; 2 unreadable "
               "cells (not a number), the first on line 9, Oil Temp (deg F): 27O0"
            << true;
        QTest::newRow("live") << "Waiting for X-Plane at [fd12:3456:789a:1::1234]:49000 \u2014 "
                                 "Waiting for X-Plane at [fd12:3456:789a:1::1234]:49000"
                              << true;
        QTest::newRow("recording") << "Recording stopped: cannot write "
                                      "/media/a-very-long-folder-name/and-another/flight.csv: No "
                                      "space left on device"
                                   << true;
    }

    void longCaptionKeepsTheWindowSize() {
        QFETCH(QString, status);
        QFETCH(bool, cut);
        const QSize client = openingClientSize();
        ShellWindow window(client);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize opened = window.size();
        window.showStatus(status.toStdString());
        QTest::qWait(20);
        QCOMPARE(window.size(), opened);
        QCOMPARE(window.frameView()->size(), client);
        const auto* title = window.findChild<QLabel*>(QStringLiteral("captionTitle"));
        QVERIFY(title);
        const QString whole = window.windowTitle();
        QCOMPARE(title->toolTip(), whole);
        QCOMPARE(title->text().endsWith(QChar(0x2026)), cut);
        QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->width());
        if (!cut)
            QCOMPARE(title->text(), whole);
    }

    void doubleClickRestoresSize_data() {
        QTest::addColumn<QString>("where");
        QTest::newRow("caption") << QStringLiteral("caption");
        QTest::newRow("left border") << QStringLiteral("left");
        QTest::newRow("bottom border") << QStringLiteral("bottom");
    }

    void doubleClickRestoresSize() {
        QFETCH(QString, where);
        ShellWindow window(openingClientSize());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(1000, 500);
        instrument().engine.selectedCylinder = 0;
        QWidget* caption = window.findChild<QWidget*>(QStringLiteral("caption"));
        QVERIFY(caption);
        // The border's grab zone lies over the whole window.
        QWidget* grip = window.findChild<QWidget*>(QStringLiteral("sizeGrip"));
        QVERIFY(grip);
        if (where == "caption")
            QTest::mouseDClick(caption, Qt::LeftButton, {}, QPoint(60, 10));
        else if (where == "left")
            QTest::mouseDClick(grip, Qt::LeftButton, {}, QPoint(1, 200));
        else
            QTest::mouseDClick(grip, Qt::LeftButton, {}, QPoint(300, window.height() - 2));
        QCOMPARE(window.size(), QSize(586, 822));
        QCOMPARE(window.frameView()->size(), QSize(586 - 8, 822 - 24 - 8));
        QCOMPARE(int(instrument().engine.selectedCylinder), 0); // and nothing else happens
    }

    // The second click of a double click on the cylinder button is one more press.
    void doubleClickOnPanelStepsTwice() {
        loadPanelArtwork(instrument().artwork);
        ShellWindow window(QSize(750, 945));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        startShell(window, spreadSeed);
        tickFrameTimer();
        instrument().engine.selectedCylinder = 0;
        // As the window system delivers it: a click, then the double click.
        const QPoint button = onView(window.frameView(), 140, 600);
        QTest::mouseClick(window.frameView(), Qt::LeftButton, {}, button);
        QTest::mouseDClick(window.frameView(), Qt::LeftButton, {}, button);
        QCOMPARE(int(instrument().engine.selectedCylinder), 2);
    }

    // Positions beyond the client area count as on its edge: a drag that
    // leaves the window upwards pushes the knob fully in, not to the far end.
    void dragOutsideTheWindow() {
        loadPanelArtwork(instrument().artwork);
        ShellWindow window(QSize(750, 945));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        startShell(window, spreadSeed);
        tickFrameTimer();
        FrameView* view = window.frameView();
        QTest::mousePress(view, Qt::LeftButton, {}, onView(view, 200, 870));
        QCOMPARE(instrument().drag.control, DragControl::throttle);
        const auto moveTo = [view](QPointF to) {
            QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton,
                             Qt::LeftButton, {});
            QApplication::sendEvent(view, &move);
        };
        moveTo(QPointF(200, -300));
        QCOMPARE(instrument().engine.throttle, 1.0f);
        moveTo(QPointF(-100, 70000)); // far below: pulled fully out, not wrapped round
        QCOMPARE(instrument().engine.throttle, 0.0f);
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(0, 0));
        QCOMPARE(instrument().drag.control, DragControl::none);
    }

    // The caption hears of the source's status only when it changes; the
    // model has none, and its run never touches the caption.
    void captionFollowsTheSource() {
        RecordingPlatform platform;
        startShell(platform, testSpreadSeed);
        tickFrameTimer();
        CountingSource source;
        setEngineSource(&source);
        for (int tick = 0; tick < 4; ++tick)
            tickFrameTimer();
        setEngineSource(nullptr);
        closeShell(platform);
        QCOMPARE(source.steps, 4);
        QCOMPARE(platform.calls.filter(QStringLiteral("status")),
                 QStringList({"status half 0", "status half 1", "status half 2"}));
    }
};

QTEST_MAIN(ShellWindowTest)
#include "tst_shell_window.moc"
