// Strip and fuel gauges: pointer rows, readout texts and their colours.

#include "tests/support/ScreenProbe.h"

#include <QTest>

class GaugesTest : public QObject {
    Q_OBJECT
private slots:
    void gaugeShowsPointerAndReadout_data();
    void gaugeShowsPointerAndReadout();
};

void GaugesTest::gaugeShowsPointerAndReadout_data() {
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("red");
    QTest::addColumn<double>("pointerY"); // in the gauge's frame: top of scale 0, bottom 75

    const QPoint oilT(400, 40), oilP(495, 40), fuelP(590, 40), volts(400, 190), amps(495, 190),
        oat(590, 190), ff(400, 350), left(495, 350), right(590, 350);
    const auto row = [](const char* name, QPoint origin, const char* state, const char* readout,
                        const char* unit, bool red, double pointerY) {
        QTest::newRow(name) << origin << state << readout << unit << red << pointerY;
    };
    row("oil temp 219.9", oilT, "oilTemp=219.9", "219", "\u00B0F", false, 20.025);
    row("oil temp 220", oilT, "oilTemp=220", "220", "\u00B0F", true, 20);
    row("oil temp 90.9", oilT, "oilTemp=90.9", " 90", "\u00B0F", true, 52.275);
    row("oil temp 91", oilT, "oilTemp=91", " 91", "\u00B0F", false, 52.25);
    row("oil temp 225 on the limit line", oilT, "oilTemp=225", "225", "\u00B0F", true, 18.75);
    row("oil temp 350 parks at the top", oilT, "oilTemp=350", "350", "\u00B0F", true, 0);
    row("oil temp not a number", oilT, "oilTemp=nan", "  0", "\u00B0F", true, 75);
    row("oil temp beyond 32 bits", oilT, "oilTemp=1e10", "2147483647", "\u00B0F", true, 0);
    row("oil pressure 14.9", oilP, "oilPressure=14.9", " 14", "PSI", true, 66.06);
    row("oil pressure 15", oilP, "oilPressure=15", " 15", "PSI", false, 66);
    row("oil pressure 99.9", oilP, "oilPressure=99.9", " 99", "PSI", false, 15.06);
    row("oil pressure 100", oilP, "oilPressure=100", "100", "PSI", true, 15);
    row("oil pressure minus infinity", oilP, "oilPressure=-inf", "-2147483648", "PSI", true, 75);
    row("fuel pressure negative", fuelP, "fuelPressure=-3", " 0.0", "PSI", true, 75);
    row("fuel pressure 8", fuelP, "fuelPressure=8", " 8.0", "PSI", true, 45);
    row("fuel pressure 15", fuelP, "fuelPressure=15", "15.0", "PSI", false, 18.75);
    row("fuel pressure 20", fuelP, "fuelPressure=20", "20.0", "PSI", true, 0);
    row("volts 11", volts, "volts=11", "11.0", "VDC", true, 62.5);
    row("volts 14.5", volts, "volts=14.5", "14.5", "VDC", false, 18.75);
    row("volts 16", volts, "volts=16", "16.0", "VDC", true, 0);
    row("volts 9 parks at the 10 mark", volts, "volts=9", " 9.0", "VDC", true, 75);
    row("amps 0", amps, "amps=0", "  0", "AMP", false, 37.5);
    row("amps negative", amps, "amps=-5", " -5", "AMP", true, 41.25);
    row("amps 50", amps, "amps=50", " 50", "AMP", false, 0);
    row("oat 15 C", oat, "oat=15", " 59", "\u00B0F", false, 24.6);
    row("oat -40 C", oat, "oat=-40", "-40", "\u00B0F", false, 75);
    row("oat on the red band", oat, "oat=-2", " 28", "\u00B0F", false, 42.96);
    row("fuel flow 3.4", ff, "fuelFlow=3.4", " 3.4", "GPH", true, 62.25);
    row("fuel flow 3.5", ff, "fuelFlow=3.5", " 3.5", "GPH", false, 61.875);
    row("fuel flow above 20", ff, "fuelFlow=25", "25.0", "GPH", false, 0);
    row("left tank at start", left, "", "45.7", "GAL", false, 6.45);
    row("right tank at start", right, "", "42.1", "GAL", false, 11.85);
    row("empty tank", left, "leftFuel=0", " 0.0", "GAL", false, 75);
    row("more than the capacity", right, "rightFuel=60", "60.0", "GAL", false, 0);
    row("fuel in a tank of no capacity", left, "leftFuel=10;leftCapacity=0", "10.0", "GAL", false,
        0);
    row("no fuel in a tank of no capacity", left, "leftFuel=0;leftCapacity=0", " 0.0", "GAL", false,
        75);
}

void GaugesTest::gaugeShowsPointerAndReadout() {
    QFETCH(QPoint, origin);
    QFETCH(QString, state);
    QFETCH(QString, readout);
    QFETCH(QString, unit);
    QFETCH(bool, red);
    QFETCH(double, pointerY);
    resetEngine();
    setEngine(state);
    const QImage screen = renderScreen();

    // The white pointer crosses the strip 8 pixels right of the scale line.
    const double row =
        probes::whiteCentreRow(screen, origin.x() + 8, origin.y() - 8, origin.y() + 82);
    QVERIFY2(std::abs(row - origin.y() - pointerY) <= 0.6,
             qPrintable(QString("pointer at %1").arg(row - origin.y())));

    const gfx::Argb colour = red ? 0xFFFF0000 : 0xFFFFFFFF;
    const QImage expected = renderAlone(origin, [&](gfx::Graphics& graphics, ScreenKit& kit) {
        const gfx::SolidBrush brush(colour);
        drawTextBox(readout.toStdU16String(), -50, 89, 62, 25, &kit.boldFont26, &brush, graphics,
                    gfx::StringAlignment::far);
        graphics.drawString(unit.toStdU16String(), &kit.boldFont14, {8, 91, 0, 0}, nullptr, &brush);
    });
    QVERIFY(probes::count(expected, expected.rect(), probes::isInk) > 0);
    QVERIFY(probes::sameRegion(screen, expected, {origin.x() - 50, origin.y() + 89, 90, 25}));
}

QTEST_MAIN(GaugesTest)
#include "tst_screen_gauges.moc"
