#include "tests/support/EngineInvariants.h"
#include "tests/support/ShellFixture.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/shell/PanelControls.h"
#include "app/window/FrameView.h"
#include "engine/Engine.h"
#include "gfx/DrawingObjectCount.h"
#include "panel/PanelArtwork.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();
// The throttle left anywhere in its travel will do.
constexpr float anyPosition = -1.0f;

} // namespace

// Pointer positions from the window system at the client area's edges and
// beyond (a drag goes on outside the window), and client areas squeezed to
// nothing: each must act as on the nearest edge pixel, or on nothing.
class PointerEdgesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<OpenShell> shell;

    void move(QPointF to, Qt::MouseButtons held) {
        sendMouse(shell->view(), QEvent::MouseMove, to, Qt::NoButton, held);
    }

private slots:
    void initTestCase() {
        loadPanelArtwork(instrument().artwork);
        shell = std::make_unique<OpenShell>();
        QVERIFY(shell->exposed());
    }

    void cleanupTestCase() {
        shell.reset();
        freePanelArtwork(instrument().artwork);
        QCOMPARE(gfx::drawingObjects::liveObjects(), 0);
    }

    void init() {
        resetInstrument();
        shell->setClient({750, 945});
        shell->tick();
        QCOMPARE(shell->view()->size(), QSize(750, 945));
    }

    void dragBeyondEachEdge_data() {
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<float>("throttle");
        // Grabbed 45 px below its top with the knob pulled out; the client area
        // shows the panel pixel for pixel.
        QTest::newRow("top edge") << QPointF(200, 0) << 1.0f;
        QTest::newRow("just above") << QPointF(200, -1) << 1.0f;
        QTest::newRow("far above") << QPointF(200, -1e9) << 1.0f;
        QTest::newRow("bottom edge") << QPointF(200, 944) << 0.0f;
        QTest::newRow("just below") << QPointF(200, 945) << 0.0f;
        QTest::newRow("far below") << QPointF(200, 1e9) << 0.0f;
        // A position read as 16 bits would wrap round to the knob's grip.
        QTest::newRow("65536 px below the grip") << QPointF(200, 65536 + 850) << 0.0f;
        QTest::newRow("65536 px above the grip") << QPointF(200, 850 - 65536) << 1.0f;
        // Only the vertical movement counts, wherever the pointer is across.
        QTest::newRow("left edge") << QPointF(0, 800) << 50.0f / 87.0f;
        QTest::newRow("far left") << QPointF(-1e9, 800) << 50.0f / 87.0f;
        QTest::newRow("right edge") << QPointF(749, 800) << 50.0f / 87.0f;
        QTest::newRow("far right") << QPointF(1e9, 800) << 50.0f / 87.0f;
        QTest::newRow("far top left corner") << QPointF(-1e9, -1e9) << 1.0f;
        QTest::newRow("far bottom right corner") << QPointF(1e9, 1e9) << 0.0f;
        QTest::newRow("not a number") << QPointF(notANumber, notANumber) << anyPosition;
        QTest::newRow("infinite") << QPointF(infinity, -infinity) << anyPosition;
    }

    void dragBeyondEachEdge() {
        QFETCH(QPointF, to);
        QFETCH(float, throttle);
        FrameView* view = shell->view();
        sendMouse(view, QEvent::MouseButtonPress, {200, 850}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(instrument().drag.control, DragControl::throttle);
        QCOMPARE(int(instrument().drag.offset), 45);
        move(to, Qt::LeftButton);
        QVERIFY2(engineStateFault().isEmpty(), qPrintable(engineStateFault()));
        if (throttle != anyPosition)
            QCOMPARE(instrument().engine.throttle, throttle);
        // The drag goes on from there, and a release far away ends it.
        move({200, 800}, Qt::LeftButton);
        QCOMPARE(instrument().engine.throttle, 50.0f / 87.0f);
        sendMouse(view, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(instrument().drag.control, DragControl::none);
        shell->tick();
        QVERIFY2(engineStateFault().isEmpty(), qPrintable(engineStateFault()));
    }

    void pressBeyondEachEdge_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("steps");
        QTest::newRow("on the cylinder button") << QPointF(140, 600) << 1;
        QTest::newRow("double click on it") << QPointF(140, 600) << 2;
        // Beyond the edges there is no control: read as 16 bits these would
        // wrap round onto the button.
        QTest::newRow("65536 px right of it") << QPointF(65536 + 140, 600) << 0;
        QTest::newRow("65536 px left of it") << QPointF(140 - 65536, 600) << 0;
        QTest::newRow("65536 px below it") << QPointF(140, 65536 + 600) << 0;
        QTest::newRow("far outside") << QPointF(-1e12, 1e12) << 0;
        QTest::newRow("not a number") << QPointF(notANumber, 600) << 0;
        QTest::newRow("infinite") << QPointF(-infinity, infinity) << 0;
    }

    void pressBeyondEachEdge() {
        QFETCH(QPointF, at);
        QFETCH(int, steps);
        instrument().engine.selectedCylinder = 3;
        if (steps == 2)
            doubleClick(shell->view(), at);
        else {
            sendMouse(shell->view(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
            sendMouse(shell->view(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        }
        QCOMPARE(int(instrument().engine.selectedCylinder), 3 + steps);
        QCOMPARE(instrument().drag.control, DragControl::none);
    }

    void squeezedClientArea_data() {
        QTest::addColumn<QSize>("client");
        QTest::newRow("0 x 0") << QSize(0, 0);
        QTest::newRow("1 x 1") << QSize(1, 1);
        QTest::newRow("no width") << QSize(0, 945);
        QTest::newRow("no height") << QSize(750, 0);
        QTest::newRow("one column") << QSize(1, 945);
        QTest::newRow("one row") << QSize(750, 1);
    }

    // Every pointer position lands on the panel's edge or nowhere, where
    // nothing reacts; the frames keep coming, and the panel works again once
    // the client area is back.
    void squeezedClientArea() {
        QFETCH(QSize, client);
        FrameView* view = shell->view();
        view->resize(client);
        QCOMPARE(view->size(), client);
        shell->tick(3);
        const EngineState before = instrument().engine;
        const QPointF points[] = {{0, 0},
                                  {-1, -1},
                                  {qreal(client.width()), qreal(client.height())},
                                  {140, 600},
                                  {200, 850},
                                  {1e9, 1e9},
                                  {-1e9, 1e9},
                                  {notANumber, notANumber}};
        for (const QPointF p : points) {
            sendMouse(view, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
            move(p + QPointF(0, -500), Qt::LeftButton);
            sendMouse(view, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
            doubleClick(view, p);
            move(p, Qt::NoButton);
            shell->tick();
        }
        QCOMPARE(view->size(), client);
        QCOMPARE(view->latestPanelFrame().width(), 750);
        const QImage shown = shell->frame(); // a paint at this size too
        QCOMPARE(shown.size(), client.isEmpty() ? QSize(0, 0) : client);
        QCOMPARE(instrument().engine.selectedCylinder, before.selectedCylinder);
        QCOMPARE(instrument().engine.throttle, before.throttle);
        QCOMPARE(instrument().engine.muted, before.muted);
        QCOMPARE(instrument().engine.demoMode, before.demoMode);
        QCOMPARE(instrument().drag.control, DragControl::none);

        shell->setClient({750, 945});
        shell->tick();
        QCOMPARE(shell->frame().size(), QSize(750, 945));
        doubleClick(view, shell->onPanel(140, 600));
        QCOMPARE(int(instrument().engine.selectedCylinder), (before.selectedCylinder + 2) % 6);
    }

    // A top-level window asked for 0 x 0 keeps its caption and border; its
    // client area gets what is left, and ticks and pointer go on.
    void windowAskedForNothing() {
        shell->window.resize(0, 0);
        QCoreApplication::processEvents();
        QCOMPARE(shell->window.size(), shell->window.minimumSize());
        shell->tick(2);
        for (const QPointF p : {QPointF(0, 0), QPointF(-1, 5), QPointF(1e9, -1e9)}) {
            doubleClick(shell->view(), p);
            shell->tick();
        }
        QVERIFY2(engineStateFault().isEmpty(), qPrintable(engineStateFault()));
        const QSize client = shell->view()->size();
        QCOMPARE(shell->view()->latestPanelFrame().width(), 750);
        QCOMPARE(shell->frame().size(), client.isEmpty() ? QSize(0, 0) : client);
    }
};

QTEST_MAIN(PointerEdgesTest)
#include "tst_pointer_edges.moc"
