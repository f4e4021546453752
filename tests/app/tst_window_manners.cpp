#include "tests/support/InstrumentReset.h"
#include "tests/support/ShellFixture.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/window/FrameView.h"
#include "app/window/ShellWindow.h"
#include "engine/Engine.h"
#include "panel/PanelArtwork.h"

#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

// The window as a desktop user meets it, through the window system's own
// event path (the offscreen platform, which like X11 without a window manager
// refuses the system move and resize): the pointer's shapes, moving and
// resizing by hand, the caption's dimming, the window menu and fullscreen.

namespace {

// A point of the window in its own pixels, named by where it lies.
enum class Spot : std::uint8_t {
    captionTitle,
    closeButton,
    panelBlank,
    throttleKnob,
    cylinderButton,
    leftBorder,
    leftClientEdge,
    rightBorder,
    topBorder,
    bottomBorder,
    topLeftCorner,
    bottomLeftCorner,
    topRightAlongTheSide,
};

QPoint spotIn(const ShellWindow& window, Spot spot) {
    const int w = window.width();
    const int h = window.height();
    const QPoint client = window.frameView()->mapTo(&window, QPoint(0, 0));
    const auto panel = [&](double x, double y) {
        return client + QPoint(int(x * window.frameView()->width() / 750.0),
                               int(y * window.frameView()->height() / 945.0));
    };
    switch (spot) {
    case Spot::captionTitle:
        return {60, 16};
    case Spot::closeButton:
        return {w - 20, 16};
    case Spot::panelBlank:
        return panel(60, 800);
    case Spot::throttleKnob:
        return panel(199, 860);
    case Spot::cylinderButton:
        return panel(140, 600);
    case Spot::leftBorder:
        return {1, h / 2};
    case Spot::leftClientEdge:
        return {6, h / 2}; // the panel's second column: in the wider grab zone
    case Spot::rightBorder:
        return {w - 2, h / 2};
    case Spot::topBorder:
        return {w / 2, 1};
    case Spot::bottomBorder:
        return {w / 2, h - 3};
    case Spot::topLeftCorner:
        return {2, 2};
    case Spot::bottomLeftCorner:
        return {12, h - 1};
    case Spot::topRightAlongTheSide:
        return {w - 3, 16}; // on the side, within the corner's reach
    }
    return {};
}

QWindow* handleOf(ShellWindow& window) {
    return window.windowHandle();
}

// The pointer moved to a window point, through the window system's path.
void pointTo(ShellWindow& window, QPoint at, Qt::MouseButtons held = {}) {
    QTest::mouseMove(handleOf(window), at);
    if (held) { // QTest's move carries no buttons: send the held one ourselves
        QMouseEvent move(QEvent::MouseMove, QPointF(at), window.mapToGlobal(QPointF(at)),
                         Qt::NoButton, held, {});
        QApplication::sendEvent(window.childAt(at) ? window.childAt(at) : &window, &move);
    }
}

// What the window system is asked to show over the window right now.
Qt::CursorShape shownCursor(ShellWindow& window) {
    return handleOf(window)->cursor().shape();
}

// A left-button drag through the window system, the pointer fixed on the
// screen while the window may move under it.
void dragFrom(ShellWindow& window, QPoint from, QPoint travel) {
    const QPoint pressedAt = window.mapToGlobal(from);
    QTest::mousePress(handleOf(window), Qt::LeftButton, {}, from);
    constexpr int steps = 8;
    for (int step = 1; step <= steps; ++step) {
        const QPoint global = pressedAt + travel * step / steps;
        QMouseEvent move(QEvent::MouseMove, QPointF(handleOf(window)->mapFromGlobal(global)),
                         QPointF(global), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(handleOf(window), &move);
    }
    QTest::mouseRelease(handleOf(window), Qt::LeftButton, {},
                        handleOf(window)->mapFromGlobal(pressedAt + travel));
}

QMenu* openMenu(ShellWindow& window) {
    return window.findChild<QMenu*>(QStringLiteral("windowMenu"));
}

QAction* menuAction(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->text().remove(QLatin1Char('&')) == text)
            return action;
    return nullptr;
}

// The brightest grey in the caption's title, as drawn now.
int titleBrightness(QWidget* caption) {
    const QImage image = caption->grab().toImage();
    int brightest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width() / 2; ++x)
            brightest = std::max(brightest, qGray(image.pixel(x, y)));
    return brightest;
}

} // namespace

class WindowMannersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<OpenShell> shell;

    ShellWindow& window() { return shell->window; }

private slots:
    void init() {
        resetInstrument();
        loadPanelArtwork(instrument().artwork);
        shell = std::make_unique<OpenShell>(QSize(572, 670));
        QVERIFY(shell->exposed());
        shell->tick(); // the first frame gives the pointer its scale
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }

    void cleanup() {
        shell.reset();
        freePanelArtwork(instrument().artwork);
    }

    // Wherever the pointer was before, the caption and the panel show the
    // arrow (the hand over controls) and only the grab zone the resize shapes.
    void cursorShapes_data() {
        QTest::addColumn<Spot>("from");
        QTest::addColumn<Spot>("to");
        QTest::addColumn<Qt::CursorShape>("shape");
        const struct {
            const char* name;
            Spot from;
            Spot to;
            Qt::CursorShape shape;
        } rows[] = {
            {"caption after the left border", Spot::leftBorder, Spot::captionTitle,
             Qt::ArrowCursor},
            {"caption after a corner", Spot::topLeftCorner, Spot::captionTitle, Qt::ArrowCursor},
            {"close button after the top border", Spot::topBorder, Spot::closeButton,
             Qt::ArrowCursor},
            {"panel after the left border", Spot::leftBorder, Spot::panelBlank, Qt::ArrowCursor},
            {"panel after the bottom border", Spot::bottomBorder, Spot::panelBlank,
             Qt::ArrowCursor},
            {"panel after a knob", Spot::throttleKnob, Spot::panelBlank, Qt::ArrowCursor},
            {"knob after the right border", Spot::rightBorder, Spot::throttleKnob,
             Qt::PointingHandCursor},
            {"cylinder button after the left border", Spot::leftBorder, Spot::cylinderButton,
             Qt::PointingHandCursor},
            {"left border", Spot::panelBlank, Spot::leftBorder, Qt::SizeHorCursor},
            {"the panel's edge pixels grab the left side", Spot::panelBlank, Spot::leftClientEdge,
             Qt::SizeHorCursor},
            {"right border", Spot::captionTitle, Spot::rightBorder, Qt::SizeHorCursor},
            {"top border over the caption", Spot::captionTitle, Spot::topBorder, Qt::SizeVerCursor},
            {"bottom border", Spot::throttleKnob, Spot::bottomBorder, Qt::SizeVerCursor},
            {"top-left corner", Spot::captionTitle, Spot::topLeftCorner, Qt::SizeFDiagCursor},
            {"bottom-left corner along the bottom", Spot::panelBlank, Spot::bottomLeftCorner,
             Qt::SizeBDiagCursor},
            {"top-right corner along the side", Spot::captionTitle, Spot::topRightAlongTheSide,
             Qt::SizeBDiagCursor},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.from << row.to << row.shape;
    }

    void cursorShapes() {
        QFETCH(Spot, from);
        QFETCH(Spot, to);
        QFETCH(Qt::CursorShape, shape);
        pointTo(window(), spotIn(window(), from));
        pointTo(window(), spotIn(window(), to));
        QCOMPARE(shownCursor(window()), shape);
    }

    // The window system refuses to move or resize the window: the window
    // follows the pointer by itself, the panel keeps its proportions free.
    void dragsWithoutAWindowManager_data() {
        QTest::addColumn<Spot>("from");
        QTest::addColumn<QPoint>("travel");
        QTest::addColumn<QPoint>("moved");
        QTest::addColumn<QSize>("grown");
        QTest::newRow("caption moves")
            << Spot::captionTitle << QPoint(120, 70) << QPoint(120, 70) << QSize(0, 0);
        QTest::newRow("right border widens")
            << Spot::rightBorder << QPoint(90, 40) << QPoint(0, 0) << QSize(90, 0);
        QTest::newRow("the panel's left edge pixels resize too")
            << Spot::leftClientEdge << QPoint(-50, 0) << QPoint(-50, 0) << QSize(50, 0);
        QTest::newRow("bottom border shortens")
            << Spot::bottomBorder << QPoint(30, -100) << QPoint(0, 0) << QSize(0, -100);
        QTest::newRow("top-left corner")
            << Spot::topLeftCorner << QPoint(40, 30) << QPoint(40, 30) << QSize(-40, -30);
    }

    void dragsWithoutAWindowManager() {
        QFETCH(Spot, from);
        QFETCH(QPoint, travel);
        QFETCH(QPoint, moved);
        QFETCH(QSize, grown);
        window().move(200, 150);
        QCoreApplication::processEvents();
        const QRect before = window().geometry();
        const QSize clientBefore = window().frameView()->size();
        dragFrom(window(), spotIn(window(), from), travel);
        QCOMPARE(window().geometry().topLeft(), before.topLeft() + moved);
        QCOMPARE(window().size(), before.size() + grown);
        QCOMPARE(window().frameView()->size(), clientBefore + grown);
    }

    // A press that does not travel is no drag: a double click on the
    // caption or the border still restores the standard size.
    void doubleClickStillRestores_data() {
        QTest::addColumn<Spot>("where");
        QTest::newRow("caption") << Spot::captionTitle;
        QTest::newRow("left border") << Spot::leftBorder;
        QTest::newRow("panel's edge pixels") << Spot::leftClientEdge;
    }

    void doubleClickStillRestores() {
        QFETCH(Spot, where);
        window().resize(900, 600);
        QCoreApplication::processEvents();
        const QPoint at = spotIn(window(), where);
        QTest::mouseDClick(handleOf(window()), Qt::LeftButton, {}, at);
        QCOMPARE(window().size(), QSize(resetWindowWidth, resetWindowHeight));
        QCOMPARE(window().frameView()->size(), QSize(586 - 8, 822 - 24 - 8));
    }

    // The title recedes while another window has the keys.
    void captionDimsWhileInactive() {
        QWidget* caption = window().findChild<QWidget*>(QStringLiteral("caption"));
        QVERIFY(caption);
        QVERIFY(caption->findChild<QLabel*>(QStringLiteral("captionTitle")));
        const int active = titleBrightness(caption);
        QWidget other;
        other.setGeometry(700, 100, 100, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!window().isActiveWindow());
        const int inactive = titleBrightness(caption);
        QVERIFY2(active >= 220 && inactive <= 150,
                 qPrintable(QStringLiteral("active %1, inactive %2").arg(active).arg(inactive)));
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        QCOMPARE(titleBrightness(caption), active);
    }

    void windowMenuItems_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("right click on the caption") << false;
        QTest::newRow("Alt+Space") << true;
    }

    void windowMenuItems() {
        QFETCH(bool, byKey);
        if (byKey)
            QTest::keyClick(&window(), Qt::Key_Space, Qt::AltModifier);
        else
            QTest::mouseClick(handleOf(window()), Qt::RightButton, {},
                              spotIn(window(), Spot::captionTitle));
        QMenu* menu = openMenu(window());
        QVERIFY(menu);
        QTRY_VERIFY(menu->isVisible());
        QStringList texts;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                texts << action->text().remove(QLatin1Char('&'));
        QCOMPARE(texts, QStringList({"Move", "Size", "Restore size (586 x 822)", "Close"}));
        for (QAction* action : menu->actions())
            QVERIFY(action->isEnabled());
        QTest::keyClick(menu, Qt::Key_Escape);
        QVERIFY(shellRunning()); // Escape closes the menu, not the instrument
    }

    // Each item as a keyboard user works it: the arrows move or size the
    // window, Enter keeps it, Escape puts it back; the instrument's keys do
    // nothing meanwhile.
    void windowMenuActions_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QRect>("geometry"); // from 100,100 586 x 700
        QTest::addColumn<bool>("runs");
        QTest::newRow("Move, left twice, down, Enter")
            << "Move" << QList<int>{Qt::Key_Left, Qt::Key_Left, Qt::Key_Down, Qt::Key_Return}
            << QRect(80, 110, 586, 700) << true;
        QTest::newRow("Move, then Escape puts it back")
            << "Move" << QList<int>{Qt::Key_Right, Qt::Key_Up, Qt::Key_Escape}
            << QRect(100, 100, 586, 700) << true;
        QTest::newRow("Size, right three times, up, Enter")
            << "Size"
            << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Enter}
            << QRect(100, 100, 616, 690) << true;
        QTest::newRow("Restore size")
            << "Restore size (586 x 822)" << QList<int>{} << QRect(100, 100, 586, 822) << true;
        QTest::newRow("Close") << "Close" << QList<int>{} << QRect(100, 100, 586, 700) << false;
    }

    void windowMenuActions() {
        QFETCH(QString, item);
        QFETCH(QList<int>, keys);
        QFETCH(QRect, geometry);
        QFETCH(bool, runs);
        window().setGeometry(100, 100, 586, 700);
        QCoreApplication::processEvents();
        const float throttle = instrument().engine.throttle;
        window().showWindowMenu(window().mapToGlobal(QPoint(10, 24)));
        QMenu* menu = openMenu(window());
        QVERIFY(menu);
        QAction* action = menuAction(menu, item);
        QVERIFY(action);
        action->trigger();
        menu->close();
        for (int key : keys)
            QTest::keyClick(&window(), Qt::Key(key));
        QCOMPARE(window().geometry(), geometry);
        QCOMPARE(shellRunning(), runs);
        QCOMPARE(instrument().engine.throttle, throttle);
    }

    // F11 fills the screen with the panel alone and returns the window to
    // where it was; the pointer hides when it rests and returns on motion.
    void fullscreen() {
        window().setGeometry(120, 80, 600, 700);
        QCoreApplication::processEvents();
        const QRect before = window().geometry();
        QTest::keyClick(&window(), Qt::Key_F11);
        QVERIFY(window().isFullscreen());
        const QRect screen = window().screen()->geometry();
        QTRY_COMPARE(window().geometry(), screen);
        QTRY_COMPARE(window().frameView()->size(), screen.size());
        QVERIFY(!window().findChild<QWidget*>(QStringLiteral("caption"))->isVisible());
        QVERIFY(!window().findChild<QWidget*>(QStringLiteral("sizeGrip"))->isVisible());
        // Nothing grabs the edges now: the panel's own arrow shows there.
        pointTo(window(), {1, screen.height() / 2});
        QCOMPARE(shownCursor(window()), Qt::ArrowCursor);

        QVERIFY(!QApplication::overrideCursor());
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::overrideCursor(), ShellWindow::idleCursorMs + 1000);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BlankCursor);
        pointTo(window(), {300, 300});
        QVERIFY(!QApplication::overrideCursor());

        QTest::keyClick(&window(), Qt::Key_F11);
        QVERIFY(!window().isFullscreen());
        QTRY_COMPARE(window().geometry(), before);
        QVERIFY(window().findChild<QWidget*>(QStringLiteral("caption"))->isVisible());
        QCOMPARE(window().frameView()->size(), QSize(600 - 8, 700 - 24 - 8));
    }

    // Escape still closes, and a hidden pointer comes back with the close.
    void escapeClosesFullscreen() {
        QSignalSpy ended(&window(), &ShellWindow::closed);
        window().setFullscreen(true);
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::overrideCursor(), ShellWindow::idleCursorMs + 1000);
        QTest::keyClick(&window(), Qt::Key_Escape);
        QCOMPARE(ended.count(), 1);
        QVERIFY(!shellRunning());
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(WindowMannersTest)
#include "tst_window_manners.moc"
