#include "tests/support/ShellFixture.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"
#include "gfx/DrawingObjectCount.h"
#include "gfx/Font.h"
#include "panel/PanelArtwork.h"
#include "screen/ScreenKit.h"

#include <QTest>

#include <array>

namespace {

// The captions of the screen's white bottom line, in panel pixels: black text
// on white, nothing else drawn there.
constexpr auto bottomLineCaptions = std::to_array<QRect>({
    {50 + 80, 45 + 466, 40, 16},
    {50 + 140, 45 + 466, 40, 16},
    {50 + 205, 45 + 466, 40, 16},
    {50 + 260, 45 + 466, 55, 16},
    {50 + 533, 45 + 466, 80, 16},
});
static_assert(bottomLineCaptions.size() == 5);

int darkPixels(const QImage& frame, QRect box) {
    int dark = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            dark += qGray(frame.pixel(x, y)) < 128;
    return dark;
}

} // namespace

// Run with a font configuration that has neither Arial nor a family of its
// metrics: the screen's text comes in the generic sans-serif family instead.
class MissingArialTest : public QObject {
    Q_OBJECT

private slots:
    void arialIsMissing() {
        const gfx::FontFamily arial(u"Arial");
        QVERIFY2(!arial.valid(), "the test's font configuration still offers Arial or a twin");
        QCOMPARE(arial.lastStatus(), gfx::Status::fontFamilyNotFound);
        QVERIFY(gfx::FontFamily::genericSansSerif().valid());
    }

    void kitFontsFallBack_data() {
        QTest::addColumn<float>("pixels");
        QTest::addColumn<int>("style");
        QTest::newRow("bold 13") << 13.0f << int(gfx::FontStyle::bold);
        QTest::newRow("bold 14") << 14.0f << int(gfx::FontStyle::bold);
        QTest::newRow("bold 26") << 26.0f << int(gfx::FontStyle::bold);
        QTest::newRow("italic 17") << 17.0f << int(gfx::FontStyle::italic);
        QTest::newRow("bold 32") << 32.0f << int(gfx::FontStyle::bold);
    }

    void kitFontsFallBack() {
        QFETCH(float, pixels);
        QFETCH(int, style);
        const gfx::Font font = makeKitFont(u"Arial", pixels, gfx::FontStyle(style));
        QVERIFY(font.valid());
        QCOMPARE(font.size(), pixels);
        QCOMPARE(int(font.style()), style);
        QCOMPARE(font.familyName(), gfx::FontFamily::genericSansSerif().name());
    }

    // The whole window: its frames carry the screen's text all the same.
    void screenStillDrawsText() {
        resetInstrument();
        loadPanelArtwork(instrument().artwork);
        {
            OpenShell shell;
            QVERIFY(shell.exposed());
            shell.tick(3);
            const QImage frame = shell.frame();
            QCOMPARE(frame.size(), QSize(750, 945));
            for (const QRect& caption : bottomLineCaptions)
                QVERIFY2(
                    darkPixels(frame, caption) > 10,
                    qPrintable(
                        QStringLiteral("no text at %1, %2").arg(caption.x()).arg(caption.y())));
        }
        freePanelArtwork(instrument().artwork);
        QCOMPARE(gfx::drawingObjects::liveObjects(), 0);
    }
};

QTEST_MAIN(MissingArialTest)
#include "tst_missing_arial.moc"
