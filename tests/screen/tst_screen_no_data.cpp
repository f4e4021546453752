// Values the data source does not have: dashes for the readout, and no
// pointer, needle or bar, wherever the value would have put them.

#include "tests/support/ScreenProbe.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "engine/Engine.h"

#include <QTest>

#include <vector>

Q_DECLARE_METATYPE(std::vector<Quantity>)

namespace {

// Where a gauge's readout, and its pointer, needle or bars, are drawn.
struct Probe {
    QPointF origin;        // the readout's frame
    gfx::RectF readoutBox; // in it
    gfx::Font ScreenKit::*font;
    gfx::StringAlignment alignment;
    QRect readoutRegion; // screen pixels compared with the dashes drawn alone
    QRect markRegion;    // screen pixels where the value's mark lies
    bool (*isMark)(QRgb);
};

bool whiteMark(QRgb pixel) {
    return probes::isWhite(pixel);
}
bool cyanBar(QRgb pixel) {
    return qRed(pixel) < 60 && qGreen(pixel) > 200 && qBlue(pixel) > 200;
}
bool greenBar(QRgb pixel) {
    return qRed(pixel) < 60 && qGreen(pixel) > 200 && qBlue(pixel) < 60;
}

// A strip gauge at `origin`: its readout box and the column the pointer crosses.
Probe strip(QPoint origin) {
    return {origin,
            {-50, 89, 62, 25},
            &ScreenKit::boldFont26,
            gfx::StringAlignment::far,
            QRect(origin.x() - 50, origin.y() + 89, 56, 25), // left of the unit
            QRect(origin.x() + 8, origin.y() - 8, 1, 91),
            whiteMark};
}

// The dial's readouts, and where a needle's tip stands for the engine's values.
Probe dial(gfx::RectF box, QRect tip) {
    const QPoint centre(200, 140);
    return {centre,
            box,
            &ScreenKit::boldFont32,
            gfx::StringAlignment::center,
            QRect(int(box.x), int(box.y) + 2, int(box.width), 33).translated(centre),
            tip,
            whiteMark};
}

} // namespace

class NoDataTest : public QObject {
    Q_OBJECT
private slots:
    void readoutShowsDashesAndNoMark_data();
    void readoutShowsDashesAndNoMark();
    void oneMeasuredCylinderMissing();
};

void NoDataTest::readoutShowsDashesAndNoMark_data() {
    QTest::addColumn<std::vector<Quantity>>("lacking");
    QTest::addColumn<QString>("dashes");
    QTest::addColumn<Probe>("probe");
    const auto row = [](const char* name, std::vector<Quantity> lacking, const char* dashes,
                        Probe probe) {
        QTest::newRow(name) << lacking << QString(dashes) << probe;
    };
    row("oil temperature", {Quantity::oilTemp}, "---", strip({400, 40}));
    row("oil pressure", {Quantity::oilPressure}, "---", strip({495, 40}));
    row("fuel pressure", {Quantity::fuelPressure}, "--.-", strip({590, 40}));
    row("volts", {Quantity::volts}, "--.-", strip({400, 190}));
    row("amps", {Quantity::amps}, "---", strip({495, 190}));
    row("outside air", {Quantity::oat}, "---", strip({590, 190}));
    row("fuel flow", {Quantity::fuelFlow}, "--.-", strip({400, 350}));
    row("left tank", {Quantity::leftFuel}, "--.-", strip({495, 350}));
    row("right tank", {Quantity::rightFuel}, "--.-", strip({590, 350}));
    // 74 pixels out from the centre: straight up for 2400 rpm, down for 22.5 inHg.
    row("rpm", {Quantity::rpm}, "----", dial({-50, -50, 100, 40}, QRect(199, 65, 3, 3)));
    row("manifold pressure", {Quantity::manifoldPressure}, "--.-",
        dial({-50, 20, 100, 40}, QRect(199, 213, 3, 3)));
    row("torque: no percent power", {Quantity::torque}, "---",
        {{0, 0},
         {-15, 215, 60, 26},
         &ScreenKit::boldFont26,
         gfx::StringAlignment::far,
         QRect(-15, 215, 60, 26).intersected(QRect(0, 0, 630, 483)),
         QRect(),
         whiteMark});
    row("one EGT for all cylinders", {Quantity::egt}, "----",
        {{5, 310},
         {75, 120, 90, 40},
         &ScreenKit::boldFont32,
         gfx::StringAlignment::center,
         QRect(86, 430, 84, 35),
         QRect(5 + 66, 310, 96, 93),
         cyanBar});
    row("one CHT for all cylinders", {Quantity::cht}, "---",
        {{200, 310},
         {31, 120, 90, 40},
         &ScreenKit::boldFont32,
         gfx::StringAlignment::near,
         QRect(231, 430, 90, 35),
         QRect(200 - 5, 310, 110, 93),
         greenBar});
}

void NoDataTest::readoutShowsDashesAndNoMark() {
    QFETCH(std::vector<Quantity>, lacking);
    QFETCH(QString, dashes);
    QFETCH(Probe, probe);
    // Values well inside every scale, so that each mark is drawn with data.
    resetEngine();
    setEngine("rpm=2400;manifoldPressure=22.5;oilTemp=180;oilPressure=60;fuelPressure=12;"
              "volts=13;amps=10;oat=10;fuelFlow=10;leftFuel=25;rightFuel=25;"
              "egtRankine=1900;cht=350;torque=500");
    const QImage withData = renderScreen();
    if (!probe.markRegion.isEmpty())
        QVERIFY2(probes::count(withData, probe.markRegion, probe.isMark) > 0,
                 "the mark is drawn while there is data");

    for (const Quantity quantity : lacking)
        instrument().engine.noData.set(std::size_t(quantity));
    const QImage screen = renderScreen();
    if (!probe.markRegion.isEmpty())
        QCOMPARE(probes::count(screen, probe.markRegion, probe.isMark), 0);
    const QImage expected = renderTextBox(probe.origin, dashes, probe.readoutBox, probe.font,
                                          0xFFFFFFFF, probe.alignment);
    QVERIFY(probes::count(expected, probe.readoutRegion, probes::isInk) > 10);
    QVERIFY2(probes::sameRegion(screen, expected, probe.readoutRegion), "readout is not dashes");
}

// Measured cylinders: the one without data loses its bar and its figure, the
// others show their own values.
void NoDataTest::oneMeasuredCylinderMissing() {
    resetEngine();
    instrument().engine.egtMeasured = true;
    for (int c = 0; c < 6; ++c)
        instrument().engine.measuredEgt[c] = float(1300 + 20 * c);
    instrument().engine.noData.set(std::size_t(cylinderEgt(2)));
    instrument().engine.selectedCylinder = 2;
    const QImage screen = renderScreen();
    const auto barPixels = [&](int cylinder) {
        return probes::count(screen, QRect(5 + 70 + 16 * cylinder - 4, 310, 8, 92), cyanBar);
    };
    for (int c = 0; c < 6; ++c)
        QVERIFY2((barPixels(c) == 0) == (c == 2), qPrintable(QString("cylinder %1").arg(c + 1)));
    const QImage expected =
        renderTextBox({5, 310}, "----", {75, 120, 90, 40}, &ScreenKit::boldFont32, 0xFFFFFFFF,
                      gfx::StringAlignment::center);
    QVERIFY(probes::sameRegion(screen, expected, QRect(86, 430, 84, 35)));
}

QTEST_MAIN(NoDataTest)
#include "tst_screen_no_data.moc"
