#include "panel/OffscreenPanelWindow.h"
#include "tests/support/InstrumentReset.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/shell/PanelControls.h"
#include "engine/Engine.h"
#include "engine/EngineSource.h"
#include "panel/PanelArtwork.h"

#include <QTest>

namespace {

// Client pixels for a panel point at the given client size.
QPoint clientPointFor(float panelX, float panelY, const ClientRect& client) {
    return {int(panelX * float(client.width()) / 750.0f),
            int(panelY * float(client.height()) / 945.0f)};
}

// A log or a simulator: it owns the engine values and the knobs.
class OutsideSource final : public EngineSource {
public:
    void step(EngineState&) override {}
    bool followsControls() const override { return false; }
    std::string status() const override { return "outside"; }
};

} // namespace

class PanelControlsTest : public QObject {
    Q_OBJECT

    OffscreenPanelWindow window;

    void setClient(int w, int h) {
        window.client = {0, 0, w, h};
        instrument().view.client = window.client;
        instrument().view.scaleY = double(float(h) / 945.0f);
    }

private slots:
    void initTestCase() {
        // Blank artwork of the real sizes: the controls read sizes from the images.
        instrument().artwork.panel = gfx::Bitmap(750, 945);
        instrument().artwork.throttleKnob = gfx::Bitmap(120, 130);
        instrument().artwork.propellerKnob = gfx::Bitmap(114, 120);
        instrument().artwork.mixtureKnob = gfx::Bitmap(114, 120);
        instrument().view.window = &window;
    }

    void cleanupTestCase() {
        instrument().view.window = nullptr;
        freePanelArtwork(instrument().artwork);
    }

    void init() {
        resetInstrument();
        setClient(750, 945);
    }

    void cylinderButtonEdges_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("steps");
        QTest::newRow("left edge top") << QPoint(127, 580) << 1;
        QTest::newRow("right edge bottom") << QPoint(166, 623) << 1;
        QTest::newRow("left edge bottom") << QPoint(127, 623) << 1;
        QTest::newRow("right edge middle") << QPoint(166, 600) << 1;
        QTest::newRow("left of it") << QPoint(126, 600) << 0;
        QTest::newRow("right of it") << QPoint(167, 600) << 0;
        QTest::newRow("above it") << QPoint(140, 579) << 0;
        QTest::newRow("below it") << QPoint(140, 624) << 0;
        QTest::newRow("second bezel button") << QPoint(220, 600) << 0;
        QTest::newRow("on the screen") << QPoint(300, 300) << 0;
    }

    void cylinderButtonEdges() {
        QFETCH(QPoint, point);
        QFETCH(int, steps);
        instrument().engine.selectedCylinder = 2;
        pressLeftButton(instrument(), point.x(), point.y(), engineSource().followsControls());
        QCOMPARE(int(instrument().engine.selectedCylinder), 2 + steps);
        QCOMPARE(window.hand, steps == 1);
    }

    void sixPressesComeBack() {
        instrument().engine.selectedCylinder = 4;
        for (int press = 1; press <= 6; ++press) {
            pressLeftButton(instrument(), 140, 600, engineSource().followsControls());
            QCOMPARE(int(instrument().engine.selectedCylinder), (4 + press) % 6);
        }
    }

    void muteAndDemoMode() {
        pressLeftButton(instrument(), 700, 920, engineSource().followsControls());
        QCOMPARE(instrument().engine.muted, 1);
        pressLeftButton(instrument(), 700, 920, engineSource().followsControls());
        QCOMPARE(instrument().engine.muted, 0);

        instrument().engine.rpm = 2000;
        pressLeftButton(instrument(), 560, 920, engineSource().followsControls());
        QCOMPARE(instrument().engine.demoMode, 1);
        QCOMPARE(instrument().engine.rpm, 900.0f); // entering demo mode restarts the values
        pressLeftButton(instrument(), 700, 920, engineSource().followsControls());
        QCOMPARE(instrument().engine.muted, 0); // Mute does nothing in demo mode
        QVERIFY(window.hand);                   // yet the hand shows there

        instrument().engine.rpm = 2000;
        instrument().engine.oilPressure = 50;
        pressLeftButton(instrument(), 560, 920, engineSource().followsControls());
        QCOMPARE(instrument().engine.demoMode, 0);
        QCOMPARE(instrument().engine.rpm, 900.0f); // and so does leaving it
        QCOMPARE(instrument().engine.oilPressure, 0.0f);
    }

    void throttleGrab_data() {
        QTest::addColumn<float>("throttle");
        QTest::addColumn<int>("panelY");
        QTest::addColumn<bool>("grabbed");
        QTest::addColumn<int>("offset");
        QTest::newRow("pulled out, above the knob") << 0.0f << 800 << false << 0;
        QTest::newRow("pulled out, on the knob") << 0.0f << 850 << true << 45;
        QTest::newRow("pushed in, on the knob") << 1.0f << 750 << true << 32;
        QTest::newRow("pushed in, below the knob") << 1.0f << 900 << true << 182;
        QTest::newRow("pushed in, at its top edge") << 1.0f << 718 << false << 0;
    }

    void throttleGrab() {
        QFETCH(float, throttle);
        QFETCH(int, panelY);
        QFETCH(bool, grabbed);
        QFETCH(int, offset);
        instrument().engine.throttle = throttle;
        instrument().engine.selectedCylinder = 0;
        pressLeftButton(instrument(), 200, panelY, engineSource().followsControls());
        QCOMPARE(instrument().drag.control, grabbed ? DragControl::throttle : DragControl::none);
        QCOMPARE(window.hand, grabbed);
        if (grabbed)
            QCOMPARE(int(instrument().drag.offset), offset);
        // A press in the empty travel reaches no other area either.
        QCOMPARE(int(instrument().engine.selectedCylinder), 0);
    }

    void dragKnobs_data() {
        QTest::addColumn<int>("knobX");
        QTest::addColumn<int>("moveToY");
        QTest::addColumn<int>("knob");
        QTest::addColumn<float>("expected");
        // Each knob pulled fully out and grabbed 20 px below its top.
        QTest::newRow("throttle far above its travel") << 200 << -5000 << 0 << 1.0f;
        QTest::newRow("throttle over the screen") << 200 << 300 << 0 << 1.0f;
        QTest::newRow("throttle far below") << 200 << 5000 << 0 << 0.0f;
        QTest::newRow("throttle up 29 px") << 200 << 825 - 29 << 0 << 29.0f / 87.0f;
        QTest::newRow("propeller up 53 px") << 370 << 773 - 53 << 1 << 1.0f;
        QTest::newRow("mixture up 10 px") << 540 << 773 - 10 << 2 << 10.0f / 53.0f;
    }

    void dragKnobs() {
        QFETCH(int, knobX);
        QFETCH(int, moveToY);
        QFETCH(int, knob);
        QFETCH(float, expected);
        instrument().engine.throttle = instrument().engine.propeller = instrument().engine.mixture =
            0;
        const int grabY = knob == 0 ? 825 : 773;
        pressLeftButton(instrument(), knobX, grabY, engineSource().followsControls());
        QCOMPARE(int(instrument().drag.offset), 20);
        movePointer(instrument(), knobX + 300, moveToY, true,
                    engineSource().followsControls()); // only vertical movement counts
        const float positions[] = {instrument().engine.throttle, instrument().engine.propeller,
                                   instrument().engine.mixture};
        QCOMPARE(positions[knob], expected);
        releaseLeftButton(instrument(), knobX, moveToY, engineSource().followsControls());
        QCOMPARE(instrument().drag.control, DragControl::none);
    }

    void moveWithoutButtonEndsDrag() {
        pressLeftButton(instrument(), 200, 850, engineSource().followsControls());
        QCOMPARE(instrument().drag.control, DragControl::throttle);
        movePointer(instrument(), 200, 760, false, engineSource().followsControls());
        QCOMPARE(instrument().drag.control, DragControl::none);
        QCOMPARE(instrument().engine.throttle, 0.0f);
    }

    // The panel stretched unevenly: positions map back by their fractions.
    void stretchedClient() {
        setClient(1500, 500);
        const QPoint button = clientPointFor(130, 600, window.client);
        pressLeftButton(instrument(), button.x(), button.y(), engineSource().followsControls());
        QCOMPARE(int(instrument().engine.selectedCylinder), 1);
        const QPoint knob = clientPointFor(200, 860, window.client);
        pressLeftButton(instrument(), knob.x(), knob.y(), engineSource().followsControls());
        QCOMPARE(instrument().drag.control, DragControl::throttle);
    }

    // Before the first frame scaleY is 0, and a client area can be 0 high:
    // such a pointer must act on nothing rather than divide into infinity.
    void degenerateGeometry_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("scale");
        QTest::newRow("before the first frame") << 750 << 945 << 0.0;
        QTest::newRow("zero height") << 750 << 0 << 0.0;
        QTest::newRow("zero size") << 0 << 0 << 0.0;
        QTest::newRow("one pixel") << 1 << 1 << double(1.0f / 945.0f);
    }

    void degenerateGeometry() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(double, scale);
        window.client = {0, 0, width, height};
        instrument().view.scaleY = scale;
        for (const QPoint p : {QPoint(0, 0), QPoint(200, 850), QPoint(65535, 65535)}) {
            pressLeftButton(instrument(), p.x(), p.y(), engineSource().followsControls());
            movePointer(instrument(), p.x(), p.y(), true, engineSource().followsControls());
            releaseLeftButton(instrument(), p.x(), p.y(), engineSource().followsControls());
        }
        QVERIFY(instrument().engine.throttle >= 0.0f && instrument().engine.throttle <= 1.0f);
        QVERIFY(instrument().engine.selectedCylinder < 6);
        if (scale == 0.0)
            QCOMPARE(instrument().drag.control, DragControl::none);
    }

    // While an outside source drives the engine the knobs and Demo Mode only
    // show what it reports; the cylinder button and Mute work as ever.
    void outsideSourceOwnsKnobsAndDemoMode_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("hand");
        QTest::newRow("throttle below its top") << QPoint(200, 850) << false;
        QTest::newRow("mixture below its top") << QPoint(540, 760) << false;
        QTest::newRow("demo mode") << QPoint(580, 922) << false;
        QTest::newRow("mute") << QPoint(700, 920) << true;
        QTest::newRow("cylinder button") << QPoint(140, 600) << true;
    }

    void outsideSourceOwnsKnobsAndDemoMode() {
        QFETCH(QPoint, point);
        QFETCH(bool, hand);
        OutsideSource outside;
        setEngineSource(&outside);
        const EngineState before = instrument().engine;
        pressLeftButton(instrument(), point.x(), point.y(), engineSource().followsControls());
        movePointer(instrument(), point.x(), point.y() - 40, true,
                    engineSource().followsControls());
        releaseLeftButton(instrument(), point.x(), point.y() - 40,
                          engineSource().followsControls());
        updateCursor(instrument(), point.x(), point.y(), engineSource().followsControls());
        setEngineSource(nullptr);
        QCOMPARE(window.hand, hand);
        QCOMPARE(instrument().engine.throttle, before.throttle);
        QCOMPARE(instrument().engine.mixture, before.mixture);
        QCOMPARE(instrument().engine.demoMode, 0);
        QCOMPARE(instrument().engine.muted != before.muted, point == QPoint(700, 920));
        QCOMPARE(instrument().engine.selectedCylinder != before.selectedCylinder,
                 point == QPoint(140, 600));
    }
};

QTEST_MAIN(PanelControlsTest)
#include "tst_panel_controls.moc"
