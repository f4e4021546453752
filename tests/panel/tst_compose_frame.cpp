#include "panel/OffscreenPanelWindow.h"
#include "tests/support/InstrumentReset.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/EngineModel.h"
#include "panel/FrameCompositor.h"
#include "panel/PanelArtwork.h"

#include <QImage>
#include <QTest>

namespace {

constexpr QRgb panelGrey = 0xFF404040;
constexpr QRgb knobRed = 0xFFC00000;
constexpr QRgb markGreen = 0xFF008000;

// Solid artwork in a white surround one pixel wide, so the key shows.
QImage framedImage(int w, int h, QRgb inside) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x)
            image.setPixel(x, y, inside);
    return image;
}

QImage panelPicture() {
    QImage image(750, 945, QImage::Format_RGB32);
    image.fill(panelGrey);
    for (int y = 45; y < 528; ++y)
        for (int x = 50; x < 680; ++x)
            image.setPixel(x, y, 0xFF000000);
    return image;
}

// The first row, scanning down column x, whose pixel is (mostly) the colour.
int firstRowOf(const QImage& frame, int x, QRgb colour, int from, int to) {
    for (int y = from; y < to; ++y)
        if (qAbs(qRed(frame.pixel(x, y)) - qRed(colour)) < 40 &&
            qAbs(qGreen(frame.pixel(x, y)) - qGreen(colour)) < 40)
            return y;
    return -1;
}

} // namespace

class ComposeFrameTest : public QObject {
    Q_OBJECT

    OffscreenPanelWindow window;

    QImage compose() {
        composeFrame(instrument().view, panelScene(instrument()));
        return window.lastFrame.image().convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void initTestCase() {
        instrument().artwork.panel = gfx::Bitmap(panelPicture());
        instrument().artwork.throttleKnob = gfx::Bitmap(framedImage(120, 130, knobRed));
        instrument().artwork.propellerKnob = gfx::Bitmap(framedImage(114, 120, knobRed));
        instrument().artwork.mixtureKnob = gfx::Bitmap(framedImage(114, 120, knobRed));
        instrument().artwork.checkMark = gfx::Bitmap(framedImage(18, 19, markGreen));
        instrument().view.window = &window;
    }

    void cleanupTestCase() {
        instrument().view.window = nullptr;
        freePanelArtwork(instrument().artwork);
        instrument().renderer.release();
    }

    void init() {
        resetInstrument();
        instrument().renderer.release();
        window.client = {0, 0, 750, 945};
    }

    void knobHeights_data() {
        QTest::addColumn<int>("knob");
        QTest::addColumn<float>("position");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("top");
        QTest::newRow("throttle pushed in") << 0 << 1.0f << 200 << 718;
        QTest::newRow("throttle pulled out") << 0 << 0.0f << 200 << 805;
        // Halfway is 726.5: an unscaled bitmap lands on the nearest whole row.
        QTest::newRow("propeller halfway") << 1 << 0.5f << 370 << 727;
        QTest::newRow("mixture halfway") << 2 << 0.5f << 540 << 727;
        QTest::newRow("mixture pushed in") << 2 << 1.0f << 540 << 700;
    }

    // The knob's inside starts one row under its white surround.
    void knobHeights() {
        QFETCH(int, knob);
        QFETCH(float, position);
        QFETCH(int, x);
        QFETCH(int, top);
        float* positions[] = {&instrument().engine.throttle, &instrument().engine.propeller,
                              &instrument().engine.mixture};
        *positions[knob] = position;
        const QImage frame = compose();
        QCOMPARE(firstRowOf(frame, x, knobRed, 650, 945), top + 1);
        // The keyed white surround leaves the panel showing through.
        QCOMPARE(frame.pixel(x, top - 1), panelGrey);
    }

    void checkMarks_data() {
        QTest::addColumn<int>("muted");
        QTest::addColumn<int>("demoMode");
        QTest::addColumn<bool>("muteMark");
        QTest::addColumn<bool>("demoMark");
        QTest::newRow("neither") << 0 << 0 << false << false;
        QTest::newRow("muted") << 1 << 0 << true << false;
        QTest::newRow("demo mode") << 0 << 1 << true << true;
        QTest::newRow("both") << 1 << 1 << true << true;
    }

    void checkMarks() {
        QFETCH(int, muted);
        QFETCH(int, demoMode);
        QFETCH(bool, muteMark);
        QFETCH(bool, demoMark);
        instrument().engine.muted = muted;
        instrument().engine.demoMode = demoMode;
        const QImage frame = compose();
        QCOMPARE(frame.pixel(678 + 9, 912 + 9) == markGreen, muteMark);
        QCOMPARE(frame.pixel(527 + 9, 912 + 9) == markGreen, demoMark);
        QCOMPARE(frame.pixel(678, 912), panelGrey); // white corner keyed out
    }

    // Powered, the screen draws inside its 630 x 483 window and nowhere else.
    void screenStaysInItsWindow() {
        instrument().renderer.powerUp();
        instrument().engine.demoMode = 1;
        for (int tick = 0; tick < 200; ++tick) {
            stepEngine(instrument().engine, instrument().model.sweep);
            const QImage frame = compose();
            for (int x = 30; x < 720; x += 7) {
                QCOMPARE(frame.pixel(x, 44), panelGrey);
                QCOMPARE(frame.pixel(x, 528), panelGrey);
            }
            for (int y = 40; y < 535; y += 7) {
                QCOMPARE(frame.pixel(49, y), panelGrey);
                QCOMPARE(frame.pixel(680, y), panelGrey);
            }
        }
        int lit = 0;
        const QImage frame = compose();
        for (int y = 45; y < 528; y += 3)
            for (int x = 50; x < 680; x += 3)
                lit += frame.pixel(x, y) != 0xFF000000;
        QVERIFY(lit > 500); // and it does draw there
        instrument().renderer.release();
        const QImage dark = compose();
        QCOMPARE(dark.pixel(365, 286), 0xFF000000u); // unpowered: the panel's black screen
    }

    // A client area of other proportions gets the whole panel, each axis scaled.
    void stretchedFrame() {
        window.client = {0, 0, 375, 1890};
        const QImage frame = compose();
        QCOMPARE(frame.size(), QSize(375, 1890));
        QCOMPARE(instrument().view.scaleY, 2.0);
        QCOMPARE(frame.pixel(10, 40), panelGrey);
        QCOMPARE(frame.pixel(100, 400), 0xFF000000u);
        instrument().engine.throttle = 1;
        const QImage pushed = compose();
        QCOMPARE(firstRowOf(pushed, 100, knobRed, 1300, 1890), 1438); // 2 x (718 + 1)
    }
};

QTEST_MAIN(ComposeFrameTest)
#include "tst_compose_frame.moc"
