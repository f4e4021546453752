#include "tests/support/InstrumentReset.h"
#include "tests/support/ShellFixture.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/shell/InstrumentKeys.h"
#include "app/window/FrameView.h"
#include "engine/Engine.h"
#include "engine/EngineSource.h"
#include "panel/FrameCompositor.h"
#include "panel/KnobMark.h"
#include "panel/PanelArtwork.h"
#include "panel/PanelLayout.h"

#include <QTest>
#include <QWheelEvent>

// The knobs without a mouse, in the real window: keys choose a knob and move
// it, the wheel moves the knob under the pointer; nothing of it while an
// outside source drives the engine, and no mark before a knob key is used.

namespace {

struct Knobs {
    float throttle;
    float propeller;
    float mixture;
};

constexpr float throttlePixel = 1.0f / 87.0f;
constexpr float knobPixel = 1.0f / 53.0f;

// A log or a simulator: it owns the engine values and the knobs.
class OutsideSource final : public EngineSource {
public:
    void step(EngineState&) override {}
    bool followsControls() const override { return false; }
    std::string status() const override { return {}; }
};

void sendWheel(FrameView* view, QPointF at, int eighthsOfADegree) {
    QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, eighthsOfADegree),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
}

Knobs knobsNow() {
    return {instrument().engine.throttle, instrument().engine.propeller,
            instrument().engine.mixture};
}

// Whether the frame shows the lit lamp by a knob's placard.
bool lampLit(const QImage& frame, std::size_t knob) {
    const KnobLampPosition& lamp = knobLamps[knob];
    const QRgb centre = frame.pixel(int(lamp.centreX), int(lamp.centreY));
    return qRed(centre) > 200 && qGreen(centre) > 150 && qBlue(centre) < 120;
}

} // namespace

Q_DECLARE_METATYPE(Knobs)

class InstrumentKeysTest : public QObject {
    Q_OBJECT

    std::unique_ptr<OpenShell> shell;

    void press(const QList<int>& keys) {
        for (int key : keys)
            QTest::keyClick(&shell->window, Qt::Key(key));
    }

private slots:
    void init() {
        resetInstrument();
        loadPanelArtwork(instrument().artwork);
        shell = std::make_unique<OpenShell>(); // the panel's own 750 x 945
        QVERIFY(shell->exposed());
        shell->tick();
    }

    void cleanup() {
        setEngineSource(nullptr);
        shell.reset();
        freePanelArtwork(instrument().artwork);
    }

    // From the opening knobs: throttle pulled out (0), propeller and mixture in (1).
    void knobKeys_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<Knobs>("knobs");
        QTest::addColumn<int>("marked"); // -1: no mark
        const struct {
            const char* name;
            QList<int> keys;
            Knobs knobs;
            int marked;
        } rows[] = {
            {"no key: no mark", {}, {0, 1, 1}, -1},
            {"Up pushes the throttle (chosen at start) one pixel in",
             {Qt::Key_Up},
             {throttlePixel, 1, 1},
             0},
            {"Down at the outer stop stays there", {Qt::Key_Down}, {0, 1, 1}, 0},
            {"Page Up: a tenth of the throttle's travel", {Qt::Key_PageUp}, {0.1f, 1, 1}, 0},
            {"Page Up ten times, one more Up: fully in",
             QList<int>(10, Qt::Key_PageUp) << Qt::Key_Up,
             {1, 1, 1},
             0},
            {"87 Ups: exactly fully in", QList<int>(87, Qt::Key_Up), {1, 1, 1}, 0},
            {"2 chooses the propeller: Down pulls it one pixel out",
             {Qt::Key_2, Qt::Key_Down},
             {0, 1 - knobPixel, 1},
             1},
            {"3 then Page Down three times: the mixture at 0.7",
             {Qt::Key_3, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown},
             {0, 1, 0.7f},
             2},
            {"3 then Page Down eleven times stops at the outer stop",
             QList<int>{Qt::Key_3} << QList<int>(11, Qt::Key_PageDown),
             {0, 1, 0},
             2},
            {"2 then 1: back to the throttle",
             {Qt::Key_2, Qt::Key_1, Qt::Key_Up},
             {throttlePixel, 1, 1},
             0},
            {"choosing alone marks the knob", {Qt::Key_3}, {0, 1, 1}, 2},
            {"Enter does nothing", {Qt::Key_Return}, {0, 1, 1}, -1},
            {"C and M leave the knobs and the mark alone", {Qt::Key_C, Qt::Key_M}, {0, 1, 1}, -1},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.keys << row.knobs << row.marked;
    }

    void knobKeys() {
        QFETCH(QList<int>, keys);
        QFETCH(Knobs, knobs);
        QFETCH(int, marked);
        press(keys);
        QCOMPARE(instrument().engine.throttle, knobs.throttle);
        QCOMPARE(instrument().engine.propeller, knobs.propeller);
        QCOMPARE(instrument().engine.mixture, knobs.mixture);
        QCOMPARE(instrument().knobChoice.marked, marked >= 0);
        shell->tick();
        const QImage frame = shell->view()->latestPanelFrame().image();
        for (std::size_t knob = 0; knob < knobCount; ++knob)
            QCOMPARE(lampLit(frame, knob), int(knob) == marked);
    }

    // The mark is all that a choice changes in the frame: the same frame
    // without it is pixel for pixel the frame of a run without keys.
    void markLeavesTheRestOfTheFrame() {
        const ClientRect client = shell->view()->readClientRect();
        const QImage plain =
            composeFrameFor(instrument().view, client, panelScene(instrument())).image();
        press({Qt::Key_2});
        const QImage marked =
            composeFrameFor(instrument().view, client, panelScene(instrument())).image();
        const KnobLampPosition& lamp = knobLamps[1];
        const QRect lampArea(int(lamp.centreX) - 8, int(lamp.centreY) - 8, 17, 17);
        int differing = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                if (plain.pixel(x, y) != marked.pixel(x, y)) {
                    QVERIFY2(lampArea.contains(x, y),
                             qPrintable(QStringLiteral("%1,%2 changed").arg(x).arg(y)));
                    ++differing;
                }
        QVERIFY(differing > 20);
    }

    // The wheel over a knob's travel: one pixel per notch, up pushing in;
    // finer wheels add up to whole notches; elsewhere it does nothing.
    void wheel_data() {
        QTest::addColumn<QPointF>("panelPoint");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<Knobs>("knobs");
        QTest::newRow("one notch up over the throttle")
            << QPointF(199, 860) << QList<int>{120} << Knobs{throttlePixel, 1, 1};
        QTest::newRow("three notches up, one down, over the empty travel above it")
            << QPointF(199, 725) << QList<int>{360, -120} << Knobs{2 * throttlePixel, 1, 1};
        QTest::newRow("half notches add up")
            << QPointF(199, 860) << QList<int>{60, 30, 30, 60} << Knobs{throttlePixel, 1, 1};
        QTest::newRow("one notch down over the propeller")
            << QPointF(375, 760) << QList<int>{-120} << Knobs{0, 1 - knobPixel, 1};
        QTest::newRow("up over the mixture at its inner stop")
            << QPointF(545, 760) << QList<int>{240} << Knobs{0, 1, 1};
        QTest::newRow("over the screen: nothing")
            << QPointF(375, 300) << QList<int>{120, 120} << Knobs{0, 1, 1};
    }

    void wheel() {
        QFETCH(QPointF, panelPoint);
        QFETCH(QList<int>, deltas);
        QFETCH(Knobs, knobs);
        for (int delta : deltas)
            sendWheel(shell->view(), shell->onPanel(panelPoint.x(), panelPoint.y()), delta);
        QCOMPARE(instrument().engine.throttle, knobs.throttle);
        QCOMPARE(instrument().engine.propeller, knobs.propeller);
        QCOMPARE(instrument().engine.mixture, knobs.mixture);
        QVERIFY(!instrument().knobChoice.marked); // the wheel chooses nothing
    }

    // A replayed log or a simulator owns the knobs: keys and wheel do nothing
    // and mark nothing; the cylinder and Mute keys still work.
    void outsideSourceOwnsTheKnobs() {
        OutsideSource source;
        setEngineSource(&source);
        const Knobs before = knobsNow();
        for (const InstrumentKey key :
             {InstrumentKey::chooseMixture, InstrumentKey::knobIn, InstrumentKey::knobOut,
              InstrumentKey::knobInTenth, InstrumentKey::knobOutTenth})
            QVERIFY(!pressInstrumentKey(key, shell->window));
        press({Qt::Key_2, Qt::Key_Up, Qt::Key_PageDown});
        sendWheel(shell->view(), shell->onPanel(199, 860), 240);
        QCOMPARE(instrument().engine.throttle, before.throttle);
        QCOMPARE(instrument().engine.propeller, before.propeller);
        QCOMPARE(instrument().engine.mixture, before.mixture);
        QVERIFY(!instrument().knobChoice.marked);
        press({Qt::Key_C, Qt::Key_M});
        QCOMPARE(int(instrument().engine.selectedCylinder), 1);
        QCOMPARE(int(instrument().engine.muted), 1);
    }

    // A closed instrument takes no keys: they go back to the window system.
    void keysAfterClose() {
        closeShell(shell->window);
        QVERIFY(!pressInstrumentKey(InstrumentKey::knobIn, shell->window));
        QVERIFY(!pressInstrumentKey(InstrumentKey::toggleFullscreen, shell->window));
        QCOMPARE(instrument().engine.throttle, 0.0f);
    }
};

QTEST_MAIN(InstrumentKeysTest)
#include "tst_instrument_keys.moc"
