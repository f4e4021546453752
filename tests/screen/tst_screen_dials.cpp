// The round dial: needle angles at and beyond the scale ends, and readouts.

#include "tests/support/ScreenProbe.h"

#include "engine/Engine.h"

#include <QTest>
#include <QtMath>

class DialsTest : public QObject {
    Q_OBJECT
private slots:
    void needlePointsAtItsValue_data();
    void needlePointsAtItsValue();
};

constexpr QPointF dialCentre(200, 140);

// A point `radius` out from the dial centre at a dial angle (0 up, clockwise).
static QPoint onDial(double angle, double radius) {
    const double a = qDegreesToRadians(angle);
    return (dialCentre + QPointF(radius * std::sin(a), -radius * std::cos(a))).toPoint();
}

void DialsTest::needlePointsAtItsValue_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QString>("readout"); // checked where the needle leaves its box clear
    QTest::addColumn<gfx::RectF>("readoutBox");
    const gfx::RectF rpmBox{-50, -50, 100, 40}, mapBox{-50, 20, 100, 40};
    // The other needle stays well away from the probes: MAP down, RPM up.
    QTest::newRow("rpm 900 rests at 2000")
        << "rpm=900;manifoldPressure=22.5" << -85.0 << " 900" << rpmBox;
    QTest::newRow("rpm 1999") << "rpm=1999;manifoldPressure=22.5" << -85.0 << "" << rpmBox;
    QTest::newRow("rpm 2400 straight up")
        << "rpm=2400;manifoldPressure=22.5" << 0.0 << "" << rpmBox;
    QTest::newRow("rpm 2800") << "rpm=2800;manifoldPressure=22.5" << 85.0 << "" << rpmBox;
    QTest::newRow("rpm 3000 stops at 2800")
        << "rpm=3000;manifoldPressure=22.5" << 85.0 << "3000" << rpmBox;
    QTest::newRow("rpm not a number rests at 2000")
        << "rpm=nan;manifoldPressure=22.5" << -85.0 << " nan" << rpmBox;
    QTest::newRow("map 22.5 straight down")
        << "rpm=2400;manifoldPressure=22.5" << 180.0 << "" << mapBox;
    QTest::newRow("map 18") << "rpm=2400;manifoldPressure=18" << 231.0 << "" << mapBox;
    QTest::newRow("map 29.92") << "rpm=2400;manifoldPressure=29.92" << 95.9 << "29.9" << mapBox;
    QTest::newRow("map 12 stops at 15")
        << "rpm=2400;manifoldPressure=12" << 265.0 << "12.0" << mapBox;
    QTest::newRow("map 35 stops at 30")
        << "rpm=2400;manifoldPressure=35" << 95.0 << "35.0" << mapBox;
    QTest::newRow("map not a number rests at 15")
        << "rpm=2400;manifoldPressure=nan" << 265.0 << "nan" << mapBox;
}

void DialsTest::needlePointsAtItsValue() {
    QFETCH(QString, state);
    QFETCH(double, angle);
    QFETCH(QString, readout);
    QFETCH(gfx::RectF, readoutBox);
    resetEngine();
    setEngine(state);
    const QImage screen = renderScreen();

    // 74 pixels out the tip is about 4 wide; 8 degrees either side lies clear of it.
    QVERIFY2(probes::isWhite(screen.pixel(onDial(angle, 74))), "no needle tip at the angle");
    QVERIFY(!probes::isWhite(screen.pixel(onDial(angle - 8, 74))));
    QVERIFY(!probes::isWhite(screen.pixel(onDial(angle + 8, 74))));

    if (readout.isEmpty())
        return;
    const QImage expected = renderTextBox(dialCentre, readout, readoutBox, &ScreenKit::boldFont32,
                                          0xFFFFFFFF, gfx::StringAlignment::center);
    // The rows of the box the shaft of a needle near the horizontal leaves free.
    const QRect region = QRect(int(readoutBox.x), int(readoutBox.y) + 2, int(readoutBox.width), 33)
                             .translated(dialCentre.toPoint());
    QVERIFY(probes::count(expected, region, probes::isInk) > 20);
    QVERIFY(probes::sameRegion(screen, expected, region));
}

QTEST_MAIN(DialsTest)
#include "tst_screen_dials.moc"
